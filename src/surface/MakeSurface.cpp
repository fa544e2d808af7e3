// The one place that names the backends.
#include "surface/CairoSurface.h"
#include "surface/PaintingSurface.h"
#include "surface/SmoothSurface.h"
#include "surface/Surface.h"
#include "surface/VectorSurface.h"

namespace plotara {

std::unique_ptr<Surface> MakeSurface(double dpi, SurfaceKind kind) {
  switch (kind) {
    case SurfaceKind::Smooth:
      return std::make_unique<SmoothSurface>(dpi);
    case SurfaceKind::Document:
      return std::make_unique<VectorSurface>(dpi);
    case SurfaceKind::Painting:
      return std::make_unique<PaintingSurface>(dpi);
    case SurfaceKind::Raster:
      break;
  }
  return std::make_unique<CairoSurface>(dpi);
}

}  // namespace plotara
