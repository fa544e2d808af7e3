// Call sequences for the by-name interface, shared by calls_fuzz and the test that replays its kept
// inputs. The input is decoded into a sequence of calls through
// Invoke/Get/Put (any member of the table, any argument values) interleaved with refreshes, mouse
// gestures, scroll moves and clipboard copies, all on one control with a small picture.
//
// Decoding: the first byte is the mode (bit 0 anti-aliased, bit 1 vector: the smoothed raster surface and
// the document surface are fuzzed too); then one operation at a time: a byte picks the operation; member
// operations take a byte (two when the table is longer than 256) for the member and a byte for the argument
// count; each argument is a kind byte followed by its payload (see Arg). Running out of bytes ends the
// sequence. Failures reach the caller as AutomationError, the control's way of reporting them; anything else
// escaping, a crash or a sanitizer report is a finding.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "hosts/cli/HeadlessClipboard.h"
#include "plotara/Automation.h"
#include "plotara/AutomationError.h"
#include "plotara/Plotara.h"

namespace plotara::fuzz {

namespace calls {

using plotara::Variant;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  bool Empty() const { return p_ >= end_; }
  uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }
  template <class T>
  T Raw() {
    T v{};
    uint8_t b[sizeof(T)] = {};
    for (size_t i = 0; i < sizeof(T); ++i) b[i] = Byte();
    std::memcpy(&v, b, sizeof(T));
    return v;
  }
  std::string Text(size_t n) {
    std::string s;
    while (n-- > 0 && p_ < end_) s += static_cast<char>(*p_++);
    return s;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

inline double Hostile(uint8_t k) {
  static const double values[] = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::lowest(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<float>::max(),
                                  -std::numeric_limits<float>::max(),
                                  std::numeric_limits<float>::min(),
                                  32767.0,
                                  32768.0,
                                  -32768.0,
                                  -32769.0,
                                  65535.0,
                                  255.0,
                                  256.0,
                                  2147483647.0,
                                  2147483648.0,
                                  -2147483648.0,
                                  -2147483649.0,
                                  1e300,
                                  1e-300,
                                  1e9,
                                  1e15};
  return values[k % (sizeof(values) / sizeof(values[0]))];
}

inline Variant Arg(Reader& r) {
  const uint8_t kind = r.Byte();
  switch (kind % 12) {
    case 0:
      return Variant(Hostile(r.Byte()));
    case 1:
      return Variant(r.Raw<double>());
    case 2:
      return Variant(r.Raw<float>());
    case 3:
      return Variant(r.Raw<int32_t>());
    case 4:
      return Variant(r.Raw<int16_t>());
    case 5:
      return Variant(r.Raw<uint8_t>());
    case 6:
      return Variant((r.Byte() & 1) != 0);
    case 7:
      return Variant(r.Text(r.Byte()));
    case 8:
      return Variant(std::string());
    case 9: {
      const size_t length = size_t{1} << (10 + r.Byte() % 7);
      return Variant(std::string(length, static_cast<char>('0' + r.Byte() % 75)));
    }
    case 10:
      return Variant::Missing();
    default:
      return Variant(static_cast<double>(static_cast<int8_t>(r.Byte())));
  }
}

template <class F>
inline void Guarded(F&& f) {
  try {
    f();
  } catch (const plotara::AutomationError&) {
  }
}

}  // namespace calls

// Runs one decoded call sequence on a fresh control; false when the input is too long to take.
inline bool RunCallSequence(const uint8_t* data, size_t size) {
  using namespace calls;
  if (size > 4096) return false;
  const auto& members = plotara::Members().All();
  Reader r(data, size);
  const uint8_t mode = r.Byte();
  plotara::Plotara control(
      plotara::PlotaraOptions{.Dpi = 96, .Antialias = (mode & 1) != 0, .Vector = (mode & 2) != 0});
  plotara::HeadlessClipboard clipboard;
  control.SetClipboard(&clipboard);
  control.Events().ErrorMsg = [](std::string&, std::string&) {};
  control.ResizePicture(160, 120);
  int refreshes = 0;
  for (int op = 0; op < 96 && !r.Empty(); ++op) {
    const uint8_t code = r.Byte();
    switch (code % 10) {
      case 0:
      case 1:
      case 2: {  // a method call or property read with arguments
        size_t m = r.Byte();
        if (members.size() > 256) m = m * 256 + r.Byte();
        const plotara::MemberInfo& member = members[m % members.size()];
        std::vector<Variant> args;
        const int n = r.Byte() % 8;
        for (int i = 0; i < n; ++i) args.push_back(Arg(r));
        std::vector<plotara::NamedArg> named;
        if (code & 0x80) {  // one argument by name
          const size_t p = member.Params.empty() ? 0 : r.Byte() % member.Params.size();
          named.push_back({member.Params.empty() ? std::string("X") : member.Params[p].Name, Arg(r)});
        }
        Guarded([&] { plotara::Invoke(control, member.Name, args, named); });
        break;
      }
      case 3: {  // a property write
        size_t m = r.Byte();
        if (members.size() > 256) m = m * 256 + r.Byte();
        const plotara::MemberInfo& member = members[m % members.size()];
        const Variant v = Arg(r);
        Guarded([&] { plotara::Put(control, member.Name, v); });
        break;
      }
      case 4:
        if (++refreshes > 8) break;
        Guarded([&] {
          if (code & 0x80) {
            const int16_t graph = r.Raw<int16_t>();
            control.RefreshGraphs(graph, (r.Byte() & 1) != 0);
          } else
            control.Refresh();
        });
        break;
      case 5:
      case 6: {  // a mouse gesture: down, moves, up
        const int16_t button = r.Raw<int16_t>(), shift = r.Raw<int16_t>();
        const float x = r.Raw<float>(), y = r.Raw<float>();
        Guarded([&] {
          const int step = code & 0x70;
          if (step == 0x10) {
            control.Picture1_MouseMove(button, shift, x, y);
          } else if (step == 0x20) {
            control.Picture1_MouseUp(button, shift, x, y);
          } else {
            // Offsets read in a fixed order: the order of evaluating arguments is the compiler's.
            const int16_t dx1 = r.Raw<int16_t>(), dy1 = r.Raw<int16_t>(), dx2 = r.Raw<int16_t>(),
                          dy2 = r.Raw<int16_t>();
            control.Picture1_MouseDown(button, shift, x, y);
            control.Picture1_MouseMove(button, shift, x + dx1, y + dy1);
            control.Picture1_MouseUp(button, shift, x + dx2, y + dy2);
          }
        });
        break;
      }
      case 7: {  // a scroll move
        const int32_t value = r.Raw<int32_t>();
        Guarded([&] {
          switch ((code >> 4) & 3) {
            case 0:
              control.HScroll1_Change(value);
              break;
            case 1:
              control.HScroll1_Scroll(value);
              break;
            case 2:
              control.VScroll1_Change(value);
              break;
            default:
              control.VScroll1_Scroll(value);
              break;
          }
        });
        break;
      }
      case 8:
        if (++refreshes > 8) break;
        Guarded([&] { control.CopyToClipboard(); });
        break;
      default: {  // a property read
        size_t m = r.Byte();
        if (members.size() > 256) m = m * 256 + r.Byte();
        Guarded([&] { plotara::Get(control, members[m % members.size()].Name); });
        break;
      }
    }
  }
  control.SetClipboard(nullptr);
  return true;
}

}  // namespace plotara::fuzz
