#include "surface/SvgWriter.h"

#include <cairo-ft.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <span>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace plotara {

namespace {

// ---------------------------------------------------------------- numbers

// Coordinates are written in hundredths of a pixel: finer than any viewer shows, and exact steps
// between points on the pixel grid.
int64_t Hundredths(double v) {
  if (std::isnan(v)) return 0;
  // A point far outside the page (a value on a deeply zoomed axis) is held where the conversion is defined.
  const double h = std::clamp(v * 100.0, -1e15, 1e15);
  return static_cast<int64_t>(h < 0 ? h - 0.5 : h + 0.5);  // rounded half away from zero
}

void AppendInt(std::string& out, int64_t v) {
  char buf[24];
  int n = 0;
  uint64_t u = v < 0 ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v);
  do {
    buf[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  if (v < 0) out += '-';
  while (n) out += buf[--n];
}

// A value in hundredths as the shortest decimal: 250 "2.5", -3 "-.03", 100 "1".
void AppendHundredths(std::string& out, int64_t v) {
  if (v < 0) {
    out += '-';
    v = -v;
  }
  const int64_t whole = v / 100, frac = v % 100;
  if (whole || !frac) AppendInt(out, whole);
  if (frac) {
    out += '.';
    out += static_cast<char>('0' + frac / 10);
    if (frac % 10) out += static_cast<char>('0' + frac % 10);
  }
}

void AppendNumber(std::string& out, double v) {
  AppendHundredths(out, Hundredths(v));
}

// A number in a list: a space before it unless its sign or a command letter parts it from the last.
void AppendListed(std::string& out, int64_t v) {
  const char last = out.empty() ? ' ' : out.back();
  const bool parted = (last >= 'a' && last <= 'z') || last == ' ' || last == '"';
  if (v >= 0 && !parted) out += ' ';
  AppendHundredths(out, v);
}

void AppendColour(std::string& out, uint32_t rgb) {
  static const char kHex[] = "0123456789abcdef";
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  out += '#';
  if (r % 17 == 0 && g % 17 == 0 && b % 17 == 0) {
    for (int c : {r, g, b}) out += kHex[c / 17];
  } else {
    for (int c : {r, g, b}) {
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
}

void AppendEscaped(std::string& out, const std::string& text) {
  for (const char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += ch;
    }
  }
}

// ---------------------------------------------------------------- paths

struct Point64 {
  int64_t x = 0, y = 0;
  bool operator==(const Point64&) const = default;
};

// The middle of the box of a path's points, in hundredths.
Point64 CentreOf(const std::vector<cairo_path_data_t>& path) {
  int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
  for (size_t i = 0; i < path.size(); i += static_cast<size_t>(path[i].header.length))
    for (int k = 1; k < path[i].header.length; ++k) {
      const int64_t x = Hundredths(path[i + k].point.x), y = Hundredths(path[i + k].point.y);
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x);
      y1 = std::max(y1, y);
    }
  if (x0 > x1) return {};
  return {(x0 + x1) / 2, (y0 + y1) / 2};
}

// Path data in relative steps from origin: the first move is relative to it, every later point to the
// one before; repeated commands are left out.
void AppendPath(std::string& out, const std::vector<cairo_path_data_t>& path, Point64 origin) {
  Point64 at = origin, start = origin;
  char command = 0;
  bool closed = false;
  auto put = [&](char c) {
    if (c != command || c == 'm') out += c;
    command = c == 'm' ? 'l' : c;
  };
  for (size_t i = 0; i < path.size(); i += static_cast<size_t>(path[i].header.length)) {
    const cairo_path_data_t& h = path[i];
    auto point = [&](int k) {
      return Point64{Hundredths(path[i + k].point.x), Hundredths(path[i + k].point.y)};
    };
    switch (h.header.type) {
      case CAIRO_PATH_MOVE_TO: {
        const Point64 p = point(1);
        if (closed && p == at) break;  // cairo moves to where a closed subpath began
        put('m');
        AppendListed(out, p.x - at.x);
        AppendListed(out, p.y - at.y);
        at = start = p;
        break;
      }
      case CAIRO_PATH_LINE_TO: {
        const Point64 p = point(1);
        put('l');
        AppendListed(out, p.x - at.x);
        AppendListed(out, p.y - at.y);
        at = p;
        break;
      }
      case CAIRO_PATH_CURVE_TO: {
        put('c');
        for (int k = 1; k <= 3; ++k) {
          const Point64 p = point(k);
          AppendListed(out, p.x - at.x);
          AppendListed(out, p.y - at.y);
        }
        at = point(3);
        break;
      }
      case CAIRO_PATH_CLOSE_PATH:
        out += 'z';
        command = 0;
        at = start;
        break;
    }
    closed = h.header.type == CAIRO_PATH_CLOSE_PATH;
  }
}

// ---------------------------------------------------------------- styles

void AppendStyle(std::string& out, const KeptShape& s) {
  if (s.kind == KeptShape::Kind::Fill) {
    out += " fill=\"";
    AppendColour(out, s.rgb);
    out += '"';
    if (s.evenOdd) out += " fill-rule=\"evenodd\"";
  } else {
    out += " fill=\"none\" stroke=\"";
    AppendColour(out, s.rgb);
    out += "\" stroke-width=\"";
    AppendNumber(out, s.width);
    out += '"';
    if (s.cap == CAIRO_LINE_CAP_ROUND) out += " stroke-linecap=\"round\"";
    if (s.cap == CAIRO_LINE_CAP_SQUARE) out += " stroke-linecap=\"square\"";
    if (s.join == CAIRO_LINE_JOIN_ROUND) out += " stroke-linejoin=\"round\"";
    if (s.join == CAIRO_LINE_JOIN_BEVEL) out += " stroke-linejoin=\"bevel\"";
    if (!s.dash.empty()) {
      out += " stroke-dasharray=\"";
      for (size_t k = 0; k < s.dash.size(); ++k) {
        if (k) out += ' ';
        AppendNumber(out, s.dash[k]);
      }
      out += "\" stroke-dashoffset=\"";
      AppendNumber(out, s.dashOffset);
      out += '"';
    }
  }
  if (s.exact) out += " shape-rendering=\"crispEdges\"";
}

bool SameStyle(const KeptShape& a, const KeptShape& b) {
  return a.kind == b.kind && a.rgb == b.rgb && a.evenOdd == b.evenOdd && a.exact == b.exact &&
         (a.kind == KeptShape::Kind::Fill || (a.width == b.width && a.cap == b.cap && a.join == b.join &&
                                              a.dash == b.dash && a.dashOffset == b.dashOffset));
}

bool IsPath(const KeptShape& s) {
  return (s.kind == KeptShape::Kind::Fill && !s.ramp) || s.kind == KeptShape::Kind::Stroke;
}

bool SameBox(const ShapeBox& a, const ShapeBox& b) {
  return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

bool IsEmpty(const ShapeBox& b) {
  return b.x0 >= b.x1 || b.y0 >= b.y1;
}

ShapeBox Cut(const ShapeBox& a, const ShapeBox& b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// Whether any of the boxes meets b.
bool Meets(std::span<const ShapeBox> boxes, const ShapeBox& b) {
  return std::any_of(boxes.begin(), boxes.end(), [&](const ShapeBox& v) { return !IsEmpty(Cut(v, b)); });
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

void AppendBase64(std::string& out, const std::string& bytes) {
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const uint32_t v = (static_cast<uint8_t>(bytes[i]) << 16) | (static_cast<uint8_t>(bytes[i + 1]) << 8) |
                       static_cast<uint8_t>(bytes[i + 2]);
    for (int shift : {18, 12, 6, 0}) out += kBase64[(v >> shift) & 63];
  }
  if (i < bytes.size()) {
    uint32_t v = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    out += kBase64[(v >> 18) & 63];
    out += kBase64[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64[(v >> 6) & 63] : '=';
    out += '=';
  }
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// ---------------------------------------------------------------- the writer

class Writer {
 public:
  explicit Writer(const SvgPage& page) : page_(page) {
    scratchSurface_ = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
    scratch_ = cairo_create(scratchSurface_);
  }
  ~Writer() {
    cairo_destroy(scratch_);
    cairo_surface_destroy(scratchSurface_);
  }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  std::string Document(const ShapeList& list) {
    const ShapeBox all{0, 0, list.w, list.h};
    List(list, std::span<const ShapeBox>(&all, 1));
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"";
    AppendNumber(doc, page_.widthPt);
    doc += "pt\" height=\"";
    AppendNumber(doc, page_.heightPt);
    doc += "pt\" viewBox=\"0 0 ";
    AppendNumber(doc, page_.viewW);
    doc += ' ';
    AppendNumber(doc, page_.viewH);
    doc += "\">\n";
    if (!defs_.empty()) doc += "<defs>\n" + defs_ + "</defs>\n";
    doc += body_;
    doc += "</svg>\n";
    return doc;
  }

 private:
  // The shapes of one list that show within the boxes (in its pixels), in order: a group per clip
  // rectangle, and within it a group per style. What shows nowhere is left out, so that nothing a later
  // drawing covered (a stale label above all) reaches the document.
  void List(const ShapeList& list, std::span<const ShapeBox> visible) {
    std::vector<const KeptShape*> shown;
    shown.reserve(list.shapes.size());
    for (const auto& s : list.shapes)
      if (Meets(visible, s->ink)) shown.push_back(s.get());
    const size_t count = shown.size();

    const ShapeBox whole{0, 0, list.w, list.h};
    bool clipOpen = false;
    ShapeBox clip = whole;
    const KeptShape* style = nullptr;  // the shape whose style the open group has
    auto closeStyle = [&] {
      if (style) body_ += "</g>\n";
      style = nullptr;
    };
    auto useClip = [&](const ShapeBox& c) {
      const bool all = c.x0 <= 0 && c.y0 <= 0 && c.x1 >= list.w && c.y1 >= list.h;
      if (SameBox(c, clip) || (all && !clipOpen)) return;
      closeStyle();
      if (clipOpen) body_ += "</g>\n";
      clipOpen = !all;
      clip = all ? whole : c;
      if (clipOpen) {
        body_ += "<g clip-path=\"url(#c";
        AppendInt(body_, ClipId(std::span<const ShapeBox>(&c, 1)));
        body_ += ")\">\n";
      }
    };

    // Runs of path shapes about one centre (a symbol's fill and outline) are units: a unit drawn more
    // than once becomes a marker, defined once and used at each centre.
    struct Seen {
      int count = 0, id = -1;  // id: the marker's, once defined
    };
    struct Unit {
      size_t first, end;
      Point64 centre;
      std::pair<const std::string, Seen>* seen;  // null: drawn as it is
    };
    std::vector<Unit> units;
    std::unordered_map<std::string, Seen> seen;
    std::vector<Point64> centres(count);
    for (size_t i = 0; i < count; ++i)
      if (IsPath(*shown[i])) centres[i] = CentreOf(shown[i]->path);
    std::string key;
    for (size_t i = 0; i < count;) {
      const KeptShape& s = *shown[i];
      if (!IsPath(s)) {
        ++i;
        continue;
      }
      Unit u{i, i + 1, centres[i], nullptr};
      while (u.end < count && IsPath(*shown[u.end]) && SameBox(shown[u.end]->clip, s.clip) &&
             centres[u.end] == u.centre)
        ++u.end;
      // A long path (a data line) is not worth a look-up.
      size_t points = 0;
      for (size_t k = u.first; k < u.end; ++k) points += shown[k]->path.size();
      if (points <= 64) {
        key.clear();
        for (size_t k = u.first; k < u.end; ++k) {
          AppendStyle(key, *shown[k]);
          key += " d=\"";
          AppendPath(key, shown[k]->path, u.centre);
          key += "\"|";
        }
        u.seen = &*seen.try_emplace(key).first;
        ++u.seen->second.count;
      }
      i = u.end;
      units.push_back(u);
    }

    size_t nextUnit = 0;
    for (size_t i = 0; i < count;) {
      const KeptShape& s = *shown[i];
      useClip(s.clip);
      if (IsPath(s)) {
        const Unit& u = units[nextUnit++];
        if (u.seen && u.seen->second.count > 1) {
          closeStyle();
          if (u.seen->second.id < 0) u.seen->second.id = Marker(shown, u.first, u.end, u.centre);
          body_ += "<use xlink:href=\"#m";
          AppendInt(body_, u.seen->second.id);
          body_ += "\" x=\"";
          AppendHundredths(body_, u.centre.x);
          body_ += "\" y=\"";
          AppendHundredths(body_, u.centre.y);
          body_ += "\"/>\n";
          i = u.end;
          continue;
        }
        for (size_t k = u.first; k < u.end; ++k) {
          const KeptShape& p = *shown[k];
          if (!style || !SameStyle(*style, p)) {
            closeStyle();
            body_ += "<g";
            AppendStyle(body_, p);
            body_ += ">\n";
            style = &p;
          }
          body_ += "<path d=\"";
          AppendPath(body_, p.path, {});
          body_ += "\"/>\n";
        }
        i = u.end;
        continue;
      }
      closeStyle();
      if (s.kind == KeptShape::Kind::Fill) {
        Ramp(s);
      } else if (s.kind == KeptShape::Kind::Glyphs) {
        page_.text ? Text(*s.text, s.rgb) : Outlines(*s.text, s.rgb);
      } else {
        Picture(*s.picture, visible);
      }
      ++i;
    }
    closeStyle();
    if (clipOpen) body_ += "</g>\n";
  }

  // A drawing small enough to be a mark (a symbol), which is likely to be painted again and again.
  static bool Small(const ShapeList& list) { return list.w <= 128 && list.h <= 128; }

  // The id of a list's drawing in the definitions, written there when first asked for.
  int Defined(const ShapeList& list) {
    const auto [at, added] = defined_.try_emplace(&list, static_cast<int>(defined_.size()));
    if (!added) return at->second;
    std::string body;
    std::swap(body, body_);
    const ShapeBox all{0, 0, list.w, list.h};
    List(list, std::span<const ShapeBox>(&all, 1));
    std::swap(body, body_);
    defs_ += "<g id=\"s";
    AppendInt(defs_, at->second);
    defs_ += "\">\n" + body + "</g>\n";
    return at->second;
  }

  // A clip path of the union of the boxes, defined once for each set of boxes.
  int ClipId(std::span<const ShapeBox> boxes) {
    std::vector<int> key;
    for (const ShapeBox& b : boxes) key.insert(key.end(), {b.x0, b.y0, b.x1, b.y1});
    const auto found = clips_.find(key);
    if (found != clips_.end()) return found->second;
    const int id = static_cast<int>(clips_.size());
    clips_.emplace(std::move(key), id);
    defs_ += "<clipPath id=\"c";
    AppendInt(defs_, id);
    defs_ += "\">";
    for (const ShapeBox& b : boxes) {
      defs_ += "<rect x=\"";
      AppendInt(defs_, b.x0);
      defs_ += "\" y=\"";
      AppendInt(defs_, b.y0);
      defs_ += "\" width=\"";
      AppendInt(defs_, std::max(0, b.x1 - b.x0));
      defs_ += "\" height=\"";
      AppendInt(defs_, std::max(0, b.y1 - b.y0));
      defs_ += "\"/>";
    }
    defs_ += "</clipPath>\n";
    return id;
  }

  // Defines the shapes [first, end) about centre as a marker.
  int Marker(const std::vector<const KeptShape*>& shapes, size_t first, size_t end, Point64 centre) {
    const int id = markers_++;
    defs_ += "<g id=\"m";
    AppendInt(defs_, id);
    defs_ += "\">";
    for (size_t k = first; k < end; ++k) {
      defs_ += "<path";
      AppendStyle(defs_, *shapes[k]);
      defs_ += " d=\"";
      AppendPath(defs_, shapes[k]->path, centre);
      defs_ += "\"/>";
    }
    defs_ += "</g>\n";
    return id;
  }

  void Ramp(const KeptShape& s) {
    const RampPaint& r = *s.ramp;
    const int id = ramps_++;
    defs_ += "<linearGradient id=\"r";
    AppendInt(defs_, id);
    defs_ += "\" gradientUnits=\"userSpaceOnUse\"";
    const std::pair<const char*, double> ends[] = {{"x1", r.x0}, {"y1", r.y0}, {"x2", r.x1}, {"y2", r.y1}};
    for (const auto& [name, v] : ends) {
      defs_ += ' ';
      defs_ += name;
      defs_ += "=\"";
      AppendNumber(defs_, v);
      defs_ += '"';
    }
    defs_ += '>';
    for (const auto& [offset, rgb] : r.stops) {
      defs_ += "<stop offset=\"";
      AppendNumber(defs_, offset * 100);
      defs_ += "%\" stop-color=\"";
      AppendColour(defs_, rgb);
      defs_ += "\"/>";
    }
    defs_ += "</linearGradient>\n";
    body_ += "<path fill=\"url(#r";
    AppendInt(body_, id);
    body_ += ")\" d=\"";
    AppendPath(body_, s.path, {});
    body_ += "\"/>\n";
  }

  // The placement of a run: absolute for level text, else moved and turned.
  void OpenRun(const GlyphRun& t, uint32_t rgb, const char* element) {
    body_ += '<';
    body_ += element;
    body_ += " fill=\"";
    AppendColour(body_, rgb);
    body_ += '"';
    if (t.angle != 0) {
      body_ += " transform=\"translate(";
      AppendInt(body_, t.x);
      body_ += ' ';
      AppendInt(body_, t.y);
      body_ += ") rotate(";
      AppendNumber(body_, -t.angle);
      body_ += ")\"";
    }
  }

  void Outlines(const GlyphRun& t, uint32_t rgb) {
    OpenRun(t, rgb, "g");
    body_ += ">\n";
    const double ox = t.angle != 0 ? 0 : t.x, oy = t.angle != 0 ? 0 : t.y;
    for (const cairo_glyph_t& g : t.glyphs) {
      const int id = GlyphId(t.font, g.index);
      if (id < 0) continue;  // nothing to draw (a space)
      body_ += "<use xlink:href=\"#g";
      AppendInt(body_, id);
      body_ += "\" x=\"";
      AppendNumber(body_, ox + g.x);
      body_ += "\" y=\"";
      AppendNumber(body_, oy + g.y);
      body_ += "\"/>\n";
    }
    body_ += "</g>\n";
  }

  int GlyphId(cairo_scaled_font_t* font, unsigned long index) {
    const auto key = std::make_pair(font, index);
    const auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    cairo_set_scaled_font(scratch_, font);
    cairo_new_path(scratch_);
    const cairo_glyph_t g{index, 0, 0};
    cairo_glyph_path(scratch_, &g, 1);
    cairo_path_t* p = cairo_copy_path(scratch_);
    cairo_new_path(scratch_);
    int id = -1;
    if (p->status == CAIRO_STATUS_SUCCESS && p->num_data > 0) {
      id = nextGlyph_++;
      defs_ += "<path id=\"g";
      AppendInt(defs_, id);
      defs_ += "\" d=\"";
      AppendPath(defs_, std::vector<cairo_path_data_t>(p->data, p->data + p->num_data), {});
      defs_ += "\"/>\n";
    }
    cairo_path_destroy(p);
    glyphs_.emplace(key, id);
    return id;
  }

  // Text a reader can select and search: every character placed where its glyph is in the picture, in
  // the family the picture's font came from, then the one asked for.
  void Text(const GlyphRun& t, uint32_t rgb) {
    if (t.glyphs.empty()) return;
    OpenRun(t, rgb, "text");
    const double ox = t.angle != 0 ? 0 : t.x, oy = t.angle != 0 ? 0 : t.y;
    std::string family;
    if (FT_Face face = cairo_ft_scaled_font_lock_face(t.font)) {
      if (face->family_name) family = face->family_name;
      cairo_ft_scaled_font_unlock_face(t.font);
    }
    if (family.empty())
      family = t.family;
    else if (family != t.family)
      family += ", " + t.family;
    body_ += " font-family=\"";
    AppendEscaped(body_, family);
    body_ += "\" font-size=\"";
    AppendNumber(body_, t.size);
    body_ += '"';
    if (t.bold) body_ += " font-weight=\"bold\"";
    if (t.italic) body_ += " font-style=\"italic\"";
    // One x per character: a cluster's characters share out the room up to the next cluster.
    cairo_text_extents_t all;
    cairo_scaled_font_glyph_extents(t.font, t.glyphs.data(), static_cast<int>(t.glyphs.size()), &all);
    std::vector<double> xs;
    size_t glyph = 0, byte = 0;
    for (size_t c = 0; c < t.clusters.size(); ++c) {
      const cairo_text_cluster_t& cl = t.clusters[c];
      const size_t g = t.backward ? t.glyphs.size() - glyph - std::max(cl.num_glyphs, 1) : glyph;
      const double from = g < t.glyphs.size() ? t.glyphs[g].x : t.glyphs.back().x;
      glyph += static_cast<size_t>(cl.num_glyphs);
      const double to =
          glyph < t.glyphs.size() && !t.backward ? t.glyphs[glyph].x : t.glyphs.front().x + all.x_advance;
      int chars = 0;
      for (int k = 0; k < cl.num_bytes; ++k)
        chars += (static_cast<uint8_t>(t.text[byte + static_cast<size_t>(k)]) & 0xC0) != 0x80;
      for (int k = 0; k < chars; ++k) xs.push_back(from + (to - from) * k / chars);
      byte += static_cast<size_t>(cl.num_bytes);
    }
    body_ += " xml:space=\"preserve\" x=\"";
    for (size_t k = 0; k < xs.size(); ++k) {
      if (k) body_ += ' ';
      AppendNumber(body_, ox + xs[k]);
    }
    body_ += "\" y=\"";
    AppendNumber(body_, oy + t.glyphs.front().y);
    body_ += "\">";
    AppendEscaped(body_, t.text);
    body_ += "</text>\n";
  }

  // Another drawing within the boxes it shows in: a list written in place (only what shows of it), or
  // an embedded image.
  void Picture(const PicturePaint& p, std::span<const ShapeBox> visible) {
    if (p.shapes && p.scale == 1 && p.shown.size() == 1 && Small(*p.shapes)) {
      const ShapeBox& s = p.shown.front();
      const int dx = static_cast<int>(p.dx), dy = static_cast<int>(p.dy);
      if (dx == p.dx && dy == p.dy && s.x0 <= dx && s.y0 <= dy && s.x1 >= dx + p.shapes->w &&
          s.y1 >= dy + p.shapes->h) {
        // A mark shown whole: defined once, used at each place.
        body_ += "<use xlink:href=\"#s";
        AppendInt(body_, Defined(*p.shapes));
        body_ += "\" x=\"";
        AppendInt(body_, dx);
        body_ += "\" y=\"";
        AppendInt(body_, dy);
        body_ += "\"/>\n";
        return;
      }
    }
    std::vector<ShapeBox> within;  // where the picture shows, in its own units
    for (const ShapeBox& s : p.shown)
      for (const ShapeBox& v : visible) {
        const ShapeBox b = Cut(s, v);
        if (IsEmpty(b)) continue;
        within.push_back({static_cast<int>(std::floor((b.x0 - p.dx) * p.scale)),
                          static_cast<int>(std::floor((b.y0 - p.dy) * p.scale)),
                          static_cast<int>(std::ceil((b.x1 - p.dx) * p.scale)),
                          static_cast<int>(std::ceil((b.y1 - p.dy) * p.scale))});
      }
    if (within.empty()) return;
    body_ += "<g clip-path=\"url(#c";
    AppendInt(body_, ClipId(p.shown));
    body_ += ")\">\n";
    const bool moved = p.dx != 0 || p.dy != 0 || p.scale != 1;
    if (moved) {
      body_ += "<g transform=\"translate(";
      AppendNumber(body_, p.dx);
      body_ += ' ';
      AppendNumber(body_, p.dy);
      if (p.scale != 1) {
        body_ += ") scale(";
        body_ += std::to_string(1 / p.scale);
      }
      body_ += ")\">\n";
    }
    if (p.shapes) {
      List(*p.shapes, within);
    } else if (p.image) {
      std::string png;
      cairo_surface_write_to_png_stream(p.image, AppendBytes, &png);
      body_ += "<image";
      if (p.scale == 1) body_ += " image-rendering=\"optimizeSpeed\"";
      body_ += " width=\"";
      AppendInt(body_, cairo_image_surface_get_width(p.image));
      body_ += "\" height=\"";
      AppendInt(body_, cairo_image_surface_get_height(p.image));
      body_ += "\" xlink:href=\"data:image/png;base64,";
      AppendBase64(body_, png);
      body_ += "\"/>\n";
    }
    if (moved) body_ += "</g>\n";
    body_ += "</g>\n";
  }

  SvgPage page_;
  std::string defs_, body_;
  std::map<std::vector<int>, int> clips_;
  std::map<const ShapeList*, int> defined_;
  std::map<std::pair<cairo_scaled_font_t*, unsigned long>, int> glyphs_;
  int markers_ = 0, ramps_ = 0, nextGlyph_ = 0;
  cairo_surface_t* scratchSurface_ = nullptr;
  cairo_t* scratch_ = nullptr;
};

}  // namespace

std::string SvgDocument(const ShapeList& list, const SvgPage& page) {
  Writer w(page);
  return w.Document(list);
}

}  // namespace plotara
