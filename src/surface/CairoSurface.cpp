// CairoSurface sections: allocation and state plumbing; pixel primitives; surface-unit operations;
// device-pixel operations; text; clipping, picture and files.
#include "surface/CairoSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <numbers>
#include <span>
#include <utility>

#include "platform/HugePages.h"
#include "platform/RuntimeError.h"
#include "platform/TextEncoding.h"
#include "surface/CairoHelpers.h"
#include "surface/ImageFile.h"

namespace plotara {

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;
// Lines whose ends lie farther than this outside the clip rectangle are cut first, so that a point
// mapped far off the page costs no more than one on it.
constexpr int kFarOutside = 4096;

const cairo_user_data_key_t kPixelsKey{};

// n pixels of one colour. For a long run wmemset writes the 32-bit units with the C library's widest
// stores, well ahead of a plain loop; a short run is not worth the call.
void FillPixels(uint32_t* to, size_t n, uint32_t rgb) {
  constexpr size_t kLongRun = 256;
  if constexpr (sizeof(wchar_t) == sizeof(uint32_t)) {
    if (n >= kLongRun) {
      wmemset(reinterpret_cast<wchar_t*>(to), static_cast<wchar_t>(rgb), n);
      return;
    }
  }
  std::fill_n(to, n, rgb);
}

// An image surface over pixels of its own, which a large picture takes in huge pages.
cairo_surface_t* CreatePixels(int w, int h) {
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, w);
  const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(h);
  const size_t size = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
  void* pixels = nullptr;
  if (bytes < kHugePageBytes || posix_memalign(&pixels, kHugePageBytes, size) != 0)
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  AskForHugePages(pixels, size);
  cairo_surface_t* img = cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels),
                                                             CAIRO_FORMAT_RGB24, w, h, stride);
  if (cairo_surface_set_user_data(img, &kPixelsKey, pixels, std::free) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(img);
    std::free(pixels);
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  }
  return img;
}

}  // namespace

// ---------------------------------------------------------------- allocation and state plumbing

CairoSurface::CairoSurface(double dpi, bool turnLevelLayout)
    : Surface(dpi), turnLevelLayout_(turnLevelLayout) {
  Reallocate(0, 0);
}

CairoSurface::~CairoSurface() {
  if (cr_) cairo_destroy(cr_);
  if (img_) cairo_surface_destroy(img_);
}

std::unique_ptr<Surface> CairoSurface::MakeCompatible() const {
  return std::make_unique<CairoSurface>(Dpi());
}

void CairoSurface::Move(float left, float top, float width, float height) {
  const int w = std::max(0, PixelX(width));
  const int h = std::max(0, PixelY(height));
  if (BeyondCap(width, height)) Raise(err::OutOfMemory);
  if (w != w_ || h != h_ || !img_) Reallocate(w, h);
  SetPlacement(left, top, width, height);
}

void CairoSurface::Reallocate(int w, int h) {
  KeepPictureRows(0, picH_);
  cairo_surface_t* img = CreatePixels(std::max(w, 1), std::max(h, 1));
  if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
    // No room for the new size: the surface stays as it was.
    cairo_surface_destroy(img);
    Raise(err::OutOfMemory);
  }
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(img));
  const int stride = cairo_image_surface_get_stride(img) / 4;
  const uint32_t back = ResolvedRgb(BackColor);
  for (int y = 0; y < h; ++y)
    FillPixels(data + static_cast<size_t>(y) * stride, static_cast<size_t>(w), back);
  if (img_) {
    // Keep the old pixels at the top-left, as a picture box keeps its image when it grows.
    BeginDirect();
    const int cw = std::min(w, w_), ch = std::min(h, h_);
    for (int y = 0; y < ch; ++y)
      std::memcpy(data + static_cast<size_t>(y) * stride, data_ + static_cast<size_t>(y) * stride_,
                  static_cast<size_t>(cw) * 4);
    cairo_destroy(cr_);
    cairo_surface_destroy(img_);
  }
  cairo_surface_mark_dirty(img);
  img_ = img;
  data_ = data;
  stride_ = stride;
  w_ = w;
  h_ = h;
  cr_ = cairo_create(img_);
  SetUpContext();
  cairoPending_ = false;
  directPending_ = false;
  ResetClip();
  TouchAll();
}

void CairoSurface::SetUpContext() {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr_, fo);
  cairo_font_options_destroy(fo);
  appliedFont_.clear();
}

void CairoSurface::FlushCairo() {
  FinishPending();
  if (cairoPending_) {
    cairo_surface_flush(img_);
    cairoPending_ = false;
  }
}

void CairoSurface::BeginDirect() {
  FlushCairo();
  PaintLateFill({});
}

void CairoSurface::BeginWrite() {
  BeginDirect();
  directPending_ = true;
}

void CairoSurface::BeginWriteOver(Box4 covered) {
  FlushCairo();
  PaintLateFill(covered);
  directPending_ = true;
}

void CairoSurface::BeginCairo() {
  FinishPending();
  PaintLateFill({});
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    // A failed cairo call leaves its context unusable; start a fresh one on the same pixels.
    cairo_destroy(cr_);
    cr_ = cairo_create(img_);
    SetUpContext();
    SyncCairoClip();
  }
  if (directPending_) {
    cairo_surface_mark_dirty(img_);
    directPending_ = false;
  }
  cairoPending_ = true;
  // Shapes are aliased here; a derived surface that smooths its own sets that for each of them.
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
}

void CairoSurface::SetSource(uint32_t rgb) {
  if (Inverting()) {
    cairo_set_operator(cr_, CAIRO_OPERATOR_DIFFERENCE);
    cairo_set_source_rgb(cr_, 1, 1, 1);
  } else {
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    cairo_set_source_rgb(cr_, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
  }
}

Pen CairoSurface::CurrentPen() const {
  return pen_ ? *pen_ : Pen{ForeColor, std::max(1, DrawWidth)};
}

// ---------------------------------------------------------------- pixel primitives

void CairoSurface::Plot(int x, int y, uint32_t rgb) {
  if (x < clip_.x0 || x >= clip_.x1 || y < clip_.y0 || y >= clip_.y1) return;
  uint32_t& p = data_[static_cast<size_t>(y) * stride_ + x];
  p = Inverting() ? (p ^ kRgbMask) : rgb;
}

void CairoSurface::Span(int y, int x0, int x1, uint32_t rgb) {
  if (y < clip_.y0 || y >= clip_.y1) return;
  x0 = std::max(x0, clip_.x0);
  x1 = std::min(x1, clip_.x1);
  if (x0 >= x1) return;
  uint32_t* row = data_ + static_cast<size_t>(y) * stride_;
  if (Inverting()) {
    for (int x = x0; x < x1; ++x) row[x] ^= kRgbMask;
  } else {
    FillPixels(row + x0, static_cast<size_t>(x1 - x0), rgb);
  }
}

void CairoSurface::FillRect(int x0, int y0, int x1, int y1, uint32_t rgb) {
  if (!Inverting() && FillLate({x0, y0, x1, y1}, rgb)) return;
  BeginWrite();
  y0 = std::max(y0, clip_.y0);
  y1 = std::min(y1, clip_.y1);
  for (int y = y0; y < y1; ++y) Span(y, x0, x1, rgb);
}

void CairoSurface::PaintBox(Box4 b, uint32_t rgb) {
  for (int y = b.y0; y < b.y1; ++y)
    FillPixels(data_ + static_cast<size_t>(y) * stride_ + b.x0, static_cast<size_t>(b.x1 - b.x0), rgb);
}

bool CairoSurface::FillLate(Box4 b, uint32_t rgb) {
  // Smaller fills are painted at once: they are cheap, and they would use up the boxes kept over a page.
  constexpr int64_t kLateArea = 128 * 128;
  b = b.Meet(clip_);
  if (b.Empty()) return true;
  FlushCairo();
  if (late_ && !b.Holds(late_->area)) {
    LateFill& l = *late_;
    if (b.Size() >= kLateArea && l.area.Size() - l.area.Meet(b).Size() < b.Size()) {
      // This fill covers most of the late one (a page over a cleared surface): what it leaves of that is
      // painted, and this one is painted late instead.
      PaintLateFill(b);
      late_ = LateFill{rgb, b, {}, 0};
      return true;
    }
    if (l.overCount == LateFill::kMaxOver) return false;
    directPending_ = true;
    PaintBox(b, rgb);
    const Box4 over = b.Meet(l.area);
    if (!over.Empty()) l.over[static_cast<size_t>(l.overCount++)] = over;
    return true;
  }
  // Either nothing is late or this fill covers all that is: it becomes the late fill.
  if (!late_ && b.Size() < kLateArea) return false;
  late_ = LateFill{rgb, b, {}, 0};
  return true;
}

void CairoSurface::PaintLateFill(Box4 except) {
  if (!late_) return;
  FlushCairo();
  if (!late_) return;  // finishing pending shapes painted it
  const LateFill l = *late_;
  late_.reset();
  if (except.Holds(l.area)) return;
  directPending_ = true;
  std::array<Box4, LateFill::kMaxOver + 1> skip;
  std::copy_n(l.over.begin(), l.overCount, skip.begin());
  size_t skips = static_cast<size_t>(l.overCount);
  if (!except.Meet(l.area).Empty()) skip[skips++] = except.Meet(l.area);
  // Row by row, the gaps between the boxes painted over it and the one left out.
  std::array<std::pair<int, int>, LateFill::kMaxOver + 1> cut;
  for (int y = l.area.y0; y < l.area.y1; ++y) {
    int n = 0;
    for (const Box4& o : std::span(skip).first(skips)) {
      if (y < o.y0 || y >= o.y1 || o.x0 >= o.x1) continue;
      int at = n++;  // kept in order from the left
      for (; at > 0 && cut[static_cast<size_t>(at - 1)].first > o.x0; --at)
        cut[static_cast<size_t>(at)] = cut[static_cast<size_t>(at - 1)];
      cut[static_cast<size_t>(at)] = {o.x0, o.x1};
    }
    uint32_t* row = data_ + static_cast<size_t>(y) * stride_;
    int x = l.area.x0;
    for (int i = 0; i < n; ++i) {
      const auto [c0, c1] = cut[static_cast<size_t>(i)];
      if (c0 > x) FillPixels(row + x, static_cast<size_t>(c0 - x), l.rgb);
      x = std::max(x, c1);
    }
    if (x < l.area.x1) FillPixels(row + x, static_cast<size_t>(l.area.x1 - x), l.rgb);
  }
}

// Outline of [x0, x1) x [y0, y1), the pen centred on the edge pixels; no pixel is drawn twice, so an
// inverted outline drawn again restores the picture.
void CairoSurface::OutlineRect(int x0, int y0, int x1, int y1, uint32_t rgb, int width) {
  if (x1 <= x0 || y1 <= y0) return;
  const int lo = width / 2, hi = width - lo;
  const int X0 = x0 - lo, X1 = x1 - 1 + hi, Y0 = y0 - lo, Y1 = y1 - 1 + hi;
  const int IX0 = x0 + hi, IX1 = x1 - 1 - lo, IY0 = y0 + hi, IY1 = y1 - 1 - lo;
  if (IX0 >= IX1 || IY0 >= IY1) {
    FillRect(X0, Y0, X1, Y1, rgb);
    return;
  }
  FillRect(X0, Y0, X1, IY0, rgb);
  FillRect(X0, IY1, X1, Y1, rgb);
  FillRect(X0, IY0, IX0, IY1, rgb);
  FillRect(IX1, IY0, X1, IY1, rgb);
}

// Bresenham; the end pixel is left out unless lastPixel. Dotted lines are three pixels on, three off.
void CairoSurface::ThinLine(int x1, int y1, int x2, int y2, uint32_t rgb, bool dotted, bool lastPixel,
                            int phase) {
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int steps = std::max(dx, -dy) + (lastPixel ? 1 : 0);
  if (steps <= 0) return;
  // Nothing to do when the line's box misses the clip rectangle.
  if (std::max(x1, x2) < clip_.x0 || std::min(x1, x2) >= clip_.x1 || std::max(y1, y2) < clip_.y0 ||
      std::min(y1, y2) >= clip_.y1)
    return;
  if (!dotted && dy == 0) {  // horizontal
    if (x2 >= x1) {
      Span(y1, x1, x1 + steps, rgb);
    } else {
      Span(y1, x1 - steps + 1, x1 + 1, rgb);
    }
    return;
  }
  if (!dotted && dx == 0) {  // vertical, as the columns of a folded data line are
    if (x1 < clip_.x0 || x1 >= clip_.x1) return;
    const int from = std::max(y2 >= y1 ? y1 : y1 - steps + 1, clip_.y0);
    const int to = std::min(y2 >= y1 ? y1 + steps : y1 + 1, clip_.y1);
    uint32_t* p = data_ + static_cast<size_t>(from) * stride_ + x1;
    for (int y = from; y < to; ++y, p += stride_) *p = Inverting() ? (*p ^ kRgbMask) : rgb;
    return;
  }
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy, x = x1, y = y1;
  for (int i = 0; i < steps; ++i) {
    if (!dotted || (i + phase) % 6 < 3) Plot(x, y, rgb);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void CairoSurface::WideLine(double x1, double y1, double x2, double y2, uint32_t rgb, int width, bool dotted,
                            double phase) {
  const double m = width + 2.0;
  if (!ClipSegment(x1, y1, x2, y2, clip_.x0 - m, clip_.y0 - m, clip_.x1 + m, clip_.y1 + m)) return;
  BeginCairo();
  SetSource(rgb);
  cairo_set_line_width(cr_, width);
  if (dotted) {
    const double dash[2] = {3.0 * width, 3.0 * width};
    cairo_set_dash(cr_, dash, 2, phase);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  } else {
    cairo_set_dash(cr_, nullptr, 0, 0);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  }
  cairo_move_to(cr_, x1 + 0.5, y1 + 0.5);
  cairo_line_to(cr_, x2 + 0.5, y2 + 0.5);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
}

void CairoSurface::PixelLine(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted) {
  Reach(static_cast<int64_t>(std::min(x1, x2)) - width, static_cast<int64_t>(std::min(y1, y2)) - width,
        static_cast<int64_t>(std::max(x1, x2)) + width + 1,
        static_cast<int64_t>(std::max(y1, y2)) + width + 1);
  const double phase = dotted ? dash_.Next(x1, y1, x2, y2, width) : 0;
  if (width > 1) {
    WideLine(x1, y1, x2, y2, rgb, width, dotted, phase);
    return;
  }
  BeginWrite();
  const bool far = std::min(x1, x2) < clip_.x0 - kFarOutside || std::max(x1, x2) > clip_.x1 + kFarOutside ||
                   std::min(y1, y2) < clip_.y0 - kFarOutside || std::max(y1, y2) > clip_.y1 + kFarOutside;
  if (!far) {
    ThinLine(x1, y1, x2, y2, rgb, dotted, false, static_cast<int>(phase));
    return;
  }
  double a = x1, b = y1, c = x2, d = y2;
  if (!ClipSegment(a, b, c, d, clip_.x0 - 2, clip_.y0 - 2, clip_.x1 + 2, clip_.y1 + 2)) return;
  // The cut ends lie outside the clip rectangle, so whether the last pixel is drawn does not show.
  ThinLine(static_cast<int>(std::lround(a)), static_cast<int>(std::lround(b)),
           static_cast<int>(std::lround(c)), static_cast<int>(std::lround(d)), rgb, dotted, true, 0);
}

// Midpoint circle of radius r about (cx, cy): filled row by row, then outlined, each outline pixel once.
void CairoSurface::RasterCircle(int cx, int cy, int r, uint32_t rgb, bool fill, uint32_t fillRgb) {
  BeginWrite();
  Reach(static_cast<int64_t>(cx) - r, static_cast<int64_t>(cy) - r, static_cast<int64_t>(cx) + r + 1,
        static_cast<int64_t>(cy) + r + 1);
  if (cx + r < clip_.x0 || cx - r >= clip_.x1 || cy + r < clip_.y0 || cy - r >= clip_.y1) return;
  if (r <= 0) {
    Plot(cx, cy, rgb);
    return;
  }
  if (fill) {
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
      Span(cy + y, cx - x, cx + x + 1, fillRgb);
      if (y != 0) Span(cy - y, cx - x, cx + x + 1, fillRgb);
      if (x != y) {
        Span(cy + x, cx - y, cx + y + 1, fillRgb);
        Span(cy - x, cx - y, cx + y + 1, fillRgb);
      }
      ++y;
      if (err < 0) {
        err += 2 * y + 1;
      } else {
        --x;
        err += 2 * (y - x) + 1;
      }
    }
  }
  int x = r, y = 0, err = 1 - r;
  while (x >= y) {
    // The eight mirrored points, leaving out the ones that coincide.
    Plot(cx + x, cy + y, rgb);
    Plot(cx - x, cy - y, rgb);
    if (y != 0) {
      Plot(cx + x, cy - y, rgb);
      Plot(cx - x, cy + y, rgb);
    }
    if (x != y) {
      Plot(cx + y, cy + x, rgb);
      Plot(cx - y, cy - x, rgb);
      if (y != 0) {
        Plot(cx - y, cy + x, rgb);
        Plot(cx + y, cy - x, rgb);
      }
    }
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
}

// ---------------------------------------------------------------- operations in surface units

void CairoSurface::Cls() {
  const Box4 all{0, 0, w_, h_};
  if (picW_ > 0 && picH_ > 0) {
    CopyPictureIn();
  } else {
    // Nothing to bring back but BackColor: a plain fill of the whole surface, which a page filled over it
    // next mostly covers.
    FlushCairo();
    late_.reset();
    TouchAll();
    const Box4 clip = std::exchange(clip_, all);
    if (!FillLate(all, ResolvedRgb(BackColor))) {
      directPending_ = true;
      PaintBox(all, ResolvedRgb(BackColor));
    }
    clip_ = clip;
  }
  CurrentX = 0;
  CurrentY = 0;
}

void CairoSurface::DrawLine(float x1, float y1, float x2, float y2, OleColor color) {
  PixelLine(PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2), ResolvedRgb(color), std::max(1, DrawWidth),
            DrawStyle == LineKind::Dot);
  CurrentX = x2;
  CurrentY = y2;
}

CairoSurface::Box4 CairoSurface::PixelBox(float x1, float y1, float x2, float y2) const {
  Box4 b{PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2)};
  if (b.x0 > b.x1) std::swap(b.x0, b.x1);
  if (b.y0 > b.y1) std::swap(b.y0, b.y1);
  return b;
}

void CairoSurface::DrawBox(float x1, float y1, float x2, float y2, OleColor color) {
  const Box4 b = PixelBox(x1, y1, x2, y2);
  const int w = std::max(1, DrawWidth);
  Reach(static_cast<int64_t>(b.x0) - w, static_cast<int64_t>(b.y0) - w, static_cast<int64_t>(b.x1) + w,
        static_cast<int64_t>(b.y1) + w);
  if (FillStyle == FillKind::Solid) FillRect(b.x0, b.y0, b.x1, b.y1, ResolvedRgb(FillColor));
  OutlineRect(b.x0, b.y0, b.x1, b.y1, ResolvedRgb(color), w);
  CurrentX = x2;
  CurrentY = y2;
}

void CairoSurface::FilledBox(float x1, float y1, float x2, float y2, OleColor color) {
  const Box4 b = PixelBox(x1, y1, x2, y2);
  Reach(b.x0, b.y0, b.x1, b.y1);
  FillRect(b.x0, b.y0, b.x1, b.y1, ResolvedRgb(color));
  CurrentX = x2;
  CurrentY = y2;
}

void CairoSurface::DrawCircle(float x, float y, float radius, OleColor color) {
  const int cx = PixelX(x), cy = PixelY(y);
  const int r = std::abs(PixelX(radius));
  const int width = std::max(1, DrawWidth);
  if (width == 1) {
    RasterCircle(cx, cy, r, ResolvedRgb(color), FillStyle == FillKind::Solid, ResolvedRgb(FillColor));
  } else if (cx + r + width >= clip_.x0 && cx - r - width < clip_.x1 && cy + r + width >= clip_.y0 &&
             cy - r - width < clip_.y1) {
    Reach(static_cast<int64_t>(cx) - r - width, static_cast<int64_t>(cy) - r - width,
          static_cast<int64_t>(cx) + r + width + 1, static_cast<int64_t>(cy) + r + width + 1);
    BeginCairo();
    cairo_new_path(cr_);
    cairo_arc(cr_, cx + 0.5, cy + 0.5, r, 0, 2 * std::numbers::pi);
    if (FillStyle == FillKind::Solid) {
      SetSource(ResolvedRgb(FillColor));
      cairo_fill_preserve(cr_);
    }
    SetSource(ResolvedRgb(color));
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  }
  CurrentX = x;
  CurrentY = y;
}

void CairoSurface::PSet(float x, float y, OleColor color) {
  const int px = PixelX(x), py = PixelY(y);
  const int width = std::max(1, DrawWidth);
  Reach(static_cast<int64_t>(px) - width, static_cast<int64_t>(py) - width,
        static_cast<int64_t>(px) + width + 1, static_cast<int64_t>(py) + width + 1);
  if (width == 1) {
    BeginWrite();
    Plot(px, py, ResolvedRgb(color));
  } else {
    BeginCairo();
    SetSource(ResolvedRgb(color));
    cairo_new_path(cr_);
    cairo_arc(cr_, px + 0.5, py + 0.5, width / 2.0, 0, 2 * std::numbers::pi);
    cairo_fill(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  }
  CurrentX = x;
  CurrentY = y;
}

// ---------------------------------------------------------------- device-pixel operations

namespace {

// a * b / 255 for bytes, rounded as cairo's compositor rounds, so that a blended pixel of a marker comes
// out as cairo drawing the marker there would leave it.
inline uint32_t Mul255(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 0x7F;
  return ((t >> 8) + t) >> 8;
}

inline uint32_t Blend(uint32_t under, const BlendPixel& b) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= (((b.base >> shift) & 0xFF) + Mul255((under >> shift) & 0xFF, (b.keep >> shift) & 0xFF)) << shift;
  return out;
}

}  // namespace

void CairoSurface::PaintStamp(int x, int y, const PixelStamp& stamp) {
  const int64_t bx0 = static_cast<int64_t>(x) + stamp.x0, by0 = static_cast<int64_t>(y) + stamp.y0;
  const int64_t bx1 = static_cast<int64_t>(x) + stamp.x1, by1 = static_cast<int64_t>(y) + stamp.y1;
  Reach(bx0, by0, bx1, by1);
  if (bx1 <= clip_.x0 || bx0 >= clip_.x1 || by1 <= clip_.y0 || by0 >= clip_.y1) return;
  BeginWrite();
  // Most stamps lie wholly inside the clip rectangle: their pixels need no test each.
  const bool inside =
      !Inverting() && bx0 >= clip_.x0 && bx1 <= clip_.x1 && by0 >= clip_.y0 && by1 <= clip_.y1;
  for (const PixelRun& r : stamp.runs) {
    if (inside) {
      FillPixels(data_ + static_cast<size_t>(y + r.dy) * stride_ + (x + r.dx), static_cast<size_t>(r.length),
                 ResolvedRgb(r.color));
    } else {
      Span(y + r.dy, x + r.dx, x + r.dx + r.length, ResolvedRgb(r.color));
    }
  }
  for (const BlendPixel& b : stamp.blends) {
    const int px = x + b.dx, py = y + b.dy;
    if (!inside && (px < clip_.x0 || px >= clip_.x1 || py < clip_.y0 || py >= clip_.y1)) continue;
    uint32_t& p = data_[static_cast<size_t>(py) * stride_ + px];
    p = Blend(p, b);
  }
}

void CairoSurface::BitBlt(int xDest, int yDest, int width, int height, Surface& source, int xSource,
                          int ySource) {
  // Cut the block to the source's pixels, then to this surface's clip rectangle.
  const int sw = source.PixelWidth(), sh = source.PixelHeight();
  auto cut = [](int& s, int& d, int& n, int lo, int hi) {
    if (s < lo) {
      n -= lo - s;
      d += lo - s;
      s = lo;
    }
    if (s + n > hi) n = hi - s;
  };
  cut(xSource, xDest, width, 0, sw);
  cut(ySource, yDest, height, 0, sh);
  cut(xDest, xSource, width, clip_.x0, clip_.x1);
  cut(yDest, ySource, height, clip_.y0, clip_.y1);
  if (width <= 0 || height <= 0) return;
  Reach(xDest, yDest, static_cast<int64_t>(xDest) + width, static_cast<int64_t>(yDest) + height);
  if (&source == this) {
    BeginWrite();
    const bool upward = yDest > ySource;  // the rows may overlap
    for (int i = 0; i < height; ++i) {
      const int row = upward ? height - 1 - i : i;
      std::memmove(data_ + static_cast<size_t>(yDest + row) * stride_ + xDest,
                   data_ + static_cast<size_t>(ySource + row) * stride_ + xSource,
                   static_cast<size_t>(width) * 4);
    }
    return;
  }
  std::optional<HeldFill> held;
  const PictureView from = CopyPixelsOf(source, &held);
  const Box4 to{xDest, yDest, xDest + width, yDest + height};
  BeginWriteOver(to);
  const int dx = xDest - xSource, dy = yDest - ySource;
  // The part of the block within a plain fill the source holds back is filled here instead (late again,
  // when large); only the rest is copied.
  const Box4 plain =
      held ? Box4{held->x0 + dx, held->y0 + dy, held->x1 + dx, held->y1 + dy}.Meet(to) : Box4{};
  auto copySpan = [&](int y, int x0, int x1) {
    if (x1 > x0)
      std::memcpy(data_ + static_cast<size_t>(y) * stride_ + x0,
                  from.Pixels + static_cast<size_t>(y - dy) * from.StridePixels + (x0 - dx),
                  static_cast<size_t>(x1 - x0) * 4);
  };
  for (int y = to.y0; y < to.y1; ++y) {
    if (!plain.Empty() && y >= plain.y0 && y < plain.y1) {
      copySpan(y, to.x0, plain.x0);
      copySpan(y, plain.x1, to.x1);
    } else {
      copySpan(y, to.x0, to.x1);
    }
  }
  if (!plain.Empty() && !FillLate(plain, held->rgb)) PaintBox(plain, held->rgb);
}

std::optional<Pen> CairoSurface::SelectPen(std::optional<Pen> pen) {
  std::optional<Pen> previous = pen_;
  pen_ = pen;
  return previous;
}

void CairoSurface::MoveTo(int x, int y) {
  penPos_ = {x, y};
}

void CairoSurface::LineTo(int x, int y) {
  const Pen pen = CurrentPen();
  PixelLine(penPos_.x, penPos_.y, x, y, ResolvedRgb(pen.color), pen.width,
            !pen_ && DrawStyle == LineKind::Dot);
  penPos_ = {x, y};
}

void CairoSurface::Polygon(std::span<const PixelPoint> points) {
  if (points.size() < 2) return;
  const Pen pen = CurrentPen();
  if (FillStyle == FillKind::Solid) {
    // The fill lies within the points' box.
    int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
    for (const PixelPoint& p : points) {
      x0 = std::min<int64_t>(x0, p.x);
      y0 = std::min<int64_t>(y0, p.y);
      x1 = std::max<int64_t>(x1, p.x);
      y1 = std::max<int64_t>(y1, p.y);
    }
    Reach(x0 - 1, y0 - 1, x1 + 2, y1 + 2);
    BeginCairo();
    cairo_new_path(cr_);
    for (const PixelPoint& p : points) cairo_line_to(cr_, p.x + 0.5, p.y + 0.5);
    cairo_close_path(cr_);
    SetSource(ResolvedRgb(FillColor));
    cairo_fill(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  }
  for (size_t i = 0; i < points.size(); ++i) {
    const PixelPoint& a = points[i];
    const PixelPoint& b = points[(i + 1) % points.size()];
    PixelLine(a.x, a.y, b.x, b.y, ResolvedRgb(pen.color), pen.width, false);
  }
}

void CairoSurface::Rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const Pen pen = CurrentPen();
  Reach(static_cast<int64_t>(left) - pen.width, static_cast<int64_t>(top) - pen.width,
        static_cast<int64_t>(right) + pen.width, static_cast<int64_t>(bottom) + pen.width);
  if (FillStyle == FillKind::Solid) FillRect(left, top, right, bottom, ResolvedRgb(FillColor));
  OutlineRect(left, top, right, bottom, ResolvedRgb(pen.color), pen.width);
}

// ---------------------------------------------------------------- text

bool CairoSurface::ApplyFont() {
  const double px = FontPixels(FontSize, kTwipsPerInch / TwipsPerPixelX());
  const std::string key = FontKey(FontName, FontBold, FontItalic, px);
  BeginCairo();
  if (key == appliedFont_) return true;
  cairo_font_face_t* face = faces_.Face(FontName, FontBold, FontItalic);
  if (!face) return false;
  cairo_set_font_face(cr_, face);
  cairo_set_font_size(cr_, px);
  appliedFont_ = key;
  return true;
}

float CairoSurface::TextWidth(std::string_view text) {
  if (text.empty() || !ApplyFont()) return 0;
  return static_cast<float>(TextAdvance(cr_, text) * TwipsPerPixelX());
}

float CairoSurface::TextHeight(std::string_view) {
  if (!ApplyFont()) return 0;
  return static_cast<float>(LineHeight(cr_) * TwipsPerPixelY());
}

void CairoSurface::TextOut(int x, int y, std::string_view text, int escapement) {
  if (text.empty() || !ApplyFont()) return;
  const std::string utf8 = ToValidUtf8(text);
  cairo_font_extents_t fe;
  cairo_font_extents(cr_, &fe);
  const double baseline = std::ceil(fe.ascent);
  // The ink box about (x, y), with two pixels to spare for the grey edges of the glyphs; turned text stays
  // within the circle about (x, y) that holds the box's corners.
  cairo_text_extents_t te;
  cairo_text_extents(cr_, utf8.c_str(), &te);
  const double bx0 = te.x_bearing - 2, by0 = baseline + te.y_bearing - 2;
  const double bx1 = te.x_bearing + te.width + 2, by1 = baseline + te.y_bearing + te.height + 2;
  if (escapement == 0) {
    Reach(static_cast<int64_t>(x + std::floor(bx0)), static_cast<int64_t>(y + std::floor(by0)),
          static_cast<int64_t>(x + std::ceil(bx1)), static_cast<int64_t>(y + std::ceil(by1)));
  } else {
    const double r = std::ceil(std::max(std::hypot(std::max(-bx0, bx1), std::max(-by0, by1)), 1.0));
    Reach(static_cast<int64_t>(x - r), static_cast<int64_t>(y - r), static_cast<int64_t>(x + r + 1),
          static_cast<int64_t>(y + r + 1));
  }
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  const uint32_t rgb = ResolvedRgb(ForeColor);
  cairo_set_source_rgb(cr_, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
  if (escapement != 0 && turnLevelLayout_) {
    // The glyphs where level text has them, then turned: the documents' way.
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr_), 0, baseline, utf8.data(),
                                         static_cast<int>(utf8.size()), &glyphs, &count, nullptr, nullptr,
                                         nullptr) == CAIRO_STATUS_SUCCESS) {
      cairo_translate(cr_, x, y);
      cairo_rotate(cr_, -escapement / 10.0 * std::numbers::pi / 180.0);
      cairo_show_glyphs(cr_, glyphs, count);
      cairo_glyph_free(glyphs);
    }
    cairo_restore(cr_);
    return;
  }
  cairo_translate(cr_, x, y);
  if (escapement != 0) cairo_rotate(cr_, -escapement / 10.0 * std::numbers::pi / 180.0);
  cairo_move_to(cr_, 0, baseline);
  cairo_show_text(cr_, utf8.c_str());
  cairo_restore(cr_);
}

void CairoSurface::Print(std::string_view text) {
  const float height = TextHeight(text);
  TextOut(PixelX(CurrentX), PixelY(CurrentY), text, 0);
  CurrentX = 0;
  CurrentY += height;
}

// ---------------------------------------------------------------- clipping, picture and files

void CairoSurface::SetClipRect(float left, float top, float right, float bottom) {
  FinishPending();  // within the clip it was drawn under
  int x0 = PixelX(left), y0 = PixelY(top), x1 = PixelX(right), y1 = PixelY(bottom);
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  clip_.x0 = std::clamp(x0, 0, w_);
  clip_.x1 = std::clamp(x1, 0, w_);
  clip_.y0 = std::clamp(y0, 0, h_);
  clip_.y1 = std::clamp(y1, 0, h_);
  SyncCairoClip();
}

void CairoSurface::ResetClip() {
  FinishPending();
  clip_ = {0, 0, w_, h_};
  SyncCairoClip();
}

void CairoSurface::SyncCairoClip() {
  FinishPending();
  cairo_reset_clip(cr_);
  cairo_new_path(cr_);
  cairo_rectangle(cr_, clip_.x0, clip_.y0, clip_.x1 - clip_.x0, clip_.y1 - clip_.y0);
  cairo_clip(cr_);
}

void CairoSurface::ReachClipped(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  // Only pixels within the clip rectangle can change. Most operations fall within the band of rows that
  // was last copied out, which settles them without a look at the rows.
  const int c0 = static_cast<int>(std::clamp<int64_t>(x0, clip_.x0, clip_.x1));
  const int c1 = static_cast<int>(std::clamp<int64_t>(x1, clip_.x0, clip_.x1));
  const int r0 = static_cast<int>(std::clamp<int64_t>(y0, clip_.y0, clip_.y1));
  const int r1 = static_cast<int>(std::clamp<int64_t>(y1, clip_.y0, clip_.y1));
  if (c0 >= c1 || r0 >= r1) return;
  Touch(c0, r0, c1, r1);
  if (rowsInPixels_ == 0 || (r0 >= keptY0_ && r1 <= keptY1_)) return;
  KeepPictureRows(r0, r1);
  if (r0 <= keptY1_ && r1 >= keptY0_) {
    keptY0_ = std::min(keptY0_, r0);
    keptY1_ = std::max(keptY1_, r1);
  } else if (r1 - r0 > keptY1_ - keptY0_) {
    keptY0_ = r0;
    keptY1_ = r1;
  }
}

void CairoSurface::KeepPictureRows(int y0, int y1) {
  if (rowsInPixels_ == 0) return;
  BeginDirect();
  for (int y = std::max(y0, 0); y < std::min(y1, picH_); ++y) {
    if (!rowInPixels_[static_cast<size_t>(y)]) continue;
    std::memcpy(picture_.data() + static_cast<size_t>(y) * picW_, data_ + static_cast<size_t>(y) * stride_,
                static_cast<size_t>(picW_) * 4);
    rowInPixels_[static_cast<size_t>(y)] = 0;
    --rowsInPixels_;
  }
}

void CairoSurface::CopyPictureIn() {
  // Every pixel is written, so a late fill is not needed any more; rows still holding the picture were
  // never drawn on, so none lies under it.
  FlushCairo();
  late_.reset();
  directPending_ = true;
  TouchAll();
  const uint32_t back = ResolvedRgb(BackColor);
  // Columns [from, to) of row y: the picture where it reaches, BackColor beyond.
  auto copyRow = [&](int y, int from, int to) {
    uint32_t* row = data_ + static_cast<size_t>(y) * stride_;
    const int pictured = y < picH_ ? std::clamp(picW_, from, to) : from;
    if (pictured > from)
      std::memcpy(row + from, picture_.data() + static_cast<size_t>(y) * picW_ + from,
                  static_cast<size_t>(pictured - from) * 4);
    if (to > pictured) FillPixels(row + pictured, static_cast<size_t>(to - pictured), back);
  };
  for (int y = 0; y < h_; ++y) {
    if (rowsInPixels_ > 0 && y < picH_ && rowInPixels_[static_cast<size_t>(y)])
      continue;  // the picture already
    copyRow(y, 0, w_);
  }
}

void CairoSurface::ShowPicture(Surface& source, const PixelRect* changed) {
  const PictureView from = CopyPixelsOf(source, nullptr);
  rowsInPixels_ = 0;  // the old picture is replaced, so never copied out
  picW_ = from.Width;
  picH_ = from.Height;
  picture_.resize(static_cast<size_t>(picW_) * picH_);
  if (&source != this && picW_ == w_ && picH_ == h_) {
    // The usual case, a picture as large as this surface: it is shown, and kept in the pixels until they
    // change. Outside the part to show, the pixels are the new picture already.
    const Area a = PartToShow(changed);
    const Box4 part{a.x0, a.y0, a.x1, a.y1};
    BeginWriteOver(part);
    Touch(part.x0, part.y0, part.x1, part.y1);
    for (int y = part.y0; y < part.y1; ++y)
      std::memcpy(data_ + static_cast<size_t>(y) * stride_ + part.x0,
                  from.Pixels + static_cast<size_t>(y) * from.StridePixels + part.x0,
                  static_cast<size_t>(part.x1 - part.x0) * 4);
    rowInPixels_.assign(static_cast<size_t>(picH_), 1);
    rowsInPixels_ = picH_;
    keptY0_ = keptY1_ = 0;
    PictureShown();
    return;
  }
  for (int y = 0; y < picH_; ++y)
    std::memcpy(picture_.data() + static_cast<size_t>(y) * picW_,
                from.Pixels + static_cast<size_t>(y) * from.StridePixels, static_cast<size_t>(picW_) * 4);
  CopyPictureIn();
}

void CairoSurface::Flush() {
  BeginDirect();
}

void CairoSurface::Discard() {
  late_.reset();
  TouchAll();
}

PictureView CairoSurface::Image() {
  BeginDirect();
  return {data_, w_, h_, stride_};
}

PictureView CairoSurface::CopyPixels(std::optional<HeldFill>* held) {
  FlushCairo();
  if (held && late_ && late_->overCount == 0) {
    const Box4& b = late_->area;
    *held = HeldFill{b.x0, b.y0, b.x1, b.y1, late_->rgb};
  } else {
    PaintLateFill({});
  }
  return {data_, w_, h_, stride_};
}

void CairoSurface::SavePicture(const std::string& path) {
  BeginDirect();
  SaveImage({data_, w_, h_, stride_}, TwipsPerPixelX(), path, PngLevel);
}

}  // namespace plotara
