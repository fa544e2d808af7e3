#include "surface/Surface.h"

#include <algorithm>
#include <cmath>

#include "platform/Units.h"

namespace plotara {

namespace {
constexpr double kPixelLimit = 1.0e9;
}  // namespace

int32_t Surface::PixelX(double twips, Rounding rounding) const {
  const double p = std::clamp(twips / twipsPerPixel_, -kPixelLimit, kPixelLimit);
  if (std::isnan(p)) return static_cast<int32_t>(-kPixelLimit);
  return static_cast<int32_t>(rounding == Rounding::Nearest ? std::nearbyint(p) : std::trunc(p));
}

bool Surface::BeyondCap(float width, float height) const {
  const int w = std::max(0, PixelX(width - CapMargin)), h = std::max(0, PixelY(height - CapMargin));
  return static_cast<double>(w) * h > kMaxPixels;
}

Surface::Area Surface::PartToShow(const PixelRect* changed) const {
  const int w = PixelWidth(), h = PixelHeight();
  if (!changed) return {0, 0, w, h};
  Box64 part = overPicture_;
  part.Add(touched_);
  if (changed->Width > 0 && changed->Height > 0)
    part.Add(changed->Left, changed->Top, static_cast<int64_t>(changed->Left) + changed->Width,
             static_cast<int64_t>(changed->Top) + changed->Height);
  const Area a{static_cast<int>(std::clamp<int64_t>(part.x0, 0, w)),
               static_cast<int>(std::clamp<int64_t>(part.y0, 0, h)),
               static_cast<int>(std::clamp<int64_t>(part.x1, 0, w)),
               static_cast<int>(std::clamp<int64_t>(part.y1, 0, h))};
  return a.x0 < a.x1 && a.y0 < a.y1 ? a : Area{};
}

void Surface::PictureShown() noexcept {
  unreported_.Add(touched_);
  touched_ = Box64{};
  overPicture_ = Box64{};
}

void Surface::Refresh() {
  Box64 dirty = unreported_;
  dirty.Add(touched_);
  overPicture_.Add(touched_);
  touched_ = unreported_ = Box64{};
  const int64_t x0 = std::max<int64_t>(dirty.x0, 0), y0 = std::max<int64_t>(dirty.y0, 0);
  const int64_t x1 = std::min<int64_t>(dirty.x1, PixelWidth()),
                y1 = std::min<int64_t>(dirty.y1, PixelHeight());
  if (x0 >= x1 || y0 >= y1 || !onRefresh_) return;
  // A copy: the handler may set another while it runs.
  const std::function<void(const PixelRect&)> handler = onRefresh_;
  handler(PixelRect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                    static_cast<int>(y1 - y0)});
}

OleColor Surface::Pixel(int x, int y) {
  if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) return -1;
  const PictureView view = Image();
  if (!view.Pixels || x >= view.Width || y >= view.Height) return -1;
  const uint32_t p = view.Pixels[static_cast<size_t>(y) * view.StridePixels + x];
  return static_cast<OleColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

PictureView Surface::CopyPixels(std::optional<HeldFill>*) {
  return Image();
}

float Surface::Convert(float value, ScaleUnit from, ScaleUnit to) const {
  double twips = value;
  if (from == ScaleUnit::Pixels) twips = value * twipsPerPixel_;
  if (from == ScaleUnit::Millimetres) twips = value * kTwipsPerMm;
  switch (to) {
    case ScaleUnit::Twips:
      return static_cast<float>(twips);
    case ScaleUnit::Pixels:
      return static_cast<float>(twips / twipsPerPixel_);
    case ScaleUnit::Millimetres:
      return static_cast<float>(twips / kTwipsPerMm);
  }
  return value;
}

void Surface::PaintStamp(int x, int y, const PixelStamp& stamp) {
  const double t = twipsPerPixel_;
  for (const PixelRun& r : stamp.runs) {
    const double left = (x + r.dx) * t, top = (y + r.dy) * t;
    FilledBox(static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + r.length * t),
              static_cast<float>(top + t), r.color);
  }
}

bool Surface::FillRamp(double, double, double, double, std::span<const OleColor>) {
  return false;
}

}  // namespace plotara
