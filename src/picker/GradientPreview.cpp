// The picker's preview, painted by the same gradient painter the control fills its areas with.
#include <algorithm>

#include "gradient/clsGradient.h"
#include "plotara/PickerService.h"
#include "surface/Surface.h"

namespace plotara {

void PaintGradientPreview(uint32_t* pixels, int width, int height, int stridePixels, int32_t color1,
                          int32_t color2, float angle, float shift, int16_t style) {
  if (!pixels || width <= 0 || height <= 0) return;
  const std::unique_ptr<Surface> made = MakeSurface(kDefaultDpi);
  Surface& surface = *made;
  const auto twips = static_cast<float>(surface.TwipsPerPixelX());
  surface.Move(0, 0, static_cast<float>(width) * twips, static_cast<float>(height) * twips);
  surface.BackColor = ResolveColor(color1);
  surface.Cls();
  if (style != 0) {
    clsGradient painter;
    painter.Color1(color1);
    painter.Color2(color2);
    painter.Angle(angle);
    painter.Shift(shift);
    painter.Style(style);
    painter.Draw(surface);
  }
  const PictureView image = surface.Image();
  const int w = std::min(width, image.Width), h = std::min(height, image.Height);
  for (int y = 0; y < h; ++y)
    std::copy_n(image.Pixels + static_cast<size_t>(y) * image.StridePixels, w,
                pixels + static_cast<size_t>(y) * stridePixels);
}

}  // namespace plotara
