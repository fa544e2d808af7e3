// The drawing surface: the one drawing interface of all rendering and interaction code. It behaves like
// a picture box measured in twips (1/1440 inch): a drawing state (colours, fill, pen width and style,
// draw mode, font, text position, clip rectangle), operations in surface units, device-pixel operations
// for the routines that work on pixels, and a persistent picture.
//
// Pixel conventions, which the rendering steps rely on:
//   - a one-pixel line leaves out its last pixel;
//   - a box or rectangle includes its left and top edge and leaves out its right and bottom edge;
//   - shapes are drawn aliased; text is smoothed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SysColors.h"
#include "platform/Units.h"
#include "plotara/ChildElements.h"

// The backends draw with cairo; copies between them hand over its surfaces.
typedef struct _cairo_surface cairo_surface_t;

namespace plotara {

enum class FillKind : int16_t { Solid = 0, Transparent = 1 };
enum class LineKind : int16_t { Solid = 0, Dot = 2 };
enum class PenMode : int16_t { Invert = 6, Copy = 13 };
enum class ScaleUnit { Twips, Pixels, Millimetres };

struct PixelPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A horizontal run of pixels of one colour, placed relative to an anchor pixel.
struct PixelRun {
  int16_t dx = 0, dy = 0, length = 0;
  OleColor color = 0;
};

// A pixel of a smoothed marker, placed relative to an anchor pixel, whose colour depends on the one under
// it: each channel becomes base + under * keep / 255, rounded as cairo blends (keep 0 covers the pixel,
// 255 leaves it as it was).
struct BlendPixel {
  int16_t dx = 0, dy = 0;
  uint32_t base = 0, keep = 0;  // 0x00RRGGBB, a channel each
};

// A marker rasterised once, to be copied about an anchor pixel: runs of opaque pixels and blended ones,
// all within the box [x0, x1) x [y0, y1) relative to the anchor.
struct PixelStamp {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<PixelRun> runs;
  std::vector<BlendPixel> blends;
};

// A pen for the device-pixel operations (MoveTo/LineTo, Polygon, Rectangle).
struct Pen {
  OleColor color = 0;
  int width = 1;
};

class Surface {
 public:
  explicit Surface(double dpi) : dpi_(dpi), twipsPerPixel_(TwipsPerPixel(dpi)) {}
  virtual ~Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // A new, empty surface of the same kind and resolution (as a device makes compatible surfaces): the way
  // drawing code gets scratch surfaces without naming a backend.
  virtual std::unique_ptr<Surface> MakeCompatible() const = 0;

  // ---- Drawing state, read by the operations below.
  OleColor ForeColor = 0;
  OleColor BackColor = 0x00FFFFFF;
  OleColor FillColor = 0;
  FillKind FillStyle = FillKind::Transparent;
  int DrawWidth = 1;  // pixels
  LineKind DrawStyle = LineKind::Solid;
  PenMode DrawMode = PenMode::Copy;
  std::string FontName = "Arial";
  float FontSize = 9;  // points
  bool FontBold = false;
  bool FontItalic = false;
  float CurrentX = 0;  // text position, surface units
  float CurrentY = 0;
  int MousePointer = 0;  // pointer shape the control asks the host to show over this surface
  int PngLevel = -1;     // zlib level of the PNG files SavePicture writes (see WritePng)
  bool SvgText = false;  // text in a vector .svg as <text> elements a reader can select, not outlines

  // ---- Placement and units. Positions and sizes are in twips.
  // Places and sizes the surface; a size beyond what it holds raises error 7 and leaves it as it was.
  virtual void Move(float left, float top, float width, float height) = 0;
  // A picture takes several buffers of its size (the surface, its kept picture, the drawing's own); past
  // what the largest screens and prints need (an A3 page at 600 dpi), a surface refuses it rather than
  // take gigabytes.
  static constexpr double kMaxPixels = 72.0e6;
  // Twips added to the width and the height of a picture that the surface is sized to hold (a scratch
  // surface holds an area and a margin around it), set aside when the cap is checked: the margin of the
  // largest picture is taken too.
  float CapMargin = 0;
  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  virtual int PixelWidth() const = 0;
  virtual int PixelHeight() const = 0;
  double Dpi() const { return dpi_; }
  double TwipsPerPixelX() const { return twipsPerPixel_; }
  double TwipsPerPixelY() const { return twipsPerPixel_; }
  float ScaleX(float value, ScaleUnit from, ScaleUnit to) const { return Convert(value, from, to); }
  float ScaleY(float value, ScaleUnit from, ScaleUnit to) const { return Convert(value, from, to); }
  // Device pixel of a surface coordinate: the one conversion from twips to pixels. Nearest with ties to
  // even, or cut toward zero where a drawing step truncates; held far inside 32 bits either way, since
  // anything beyond lies off every surface.
  enum class Rounding { Nearest, TowardZero };
  int32_t PixelX(double twips, Rounding rounding = Rounding::Nearest) const;
  int32_t PixelY(double twips, Rounding rounding = Rounding::Nearest) const {
    return PixelX(twips, rounding);
  }

  // ---- Operations in surface units.
  virtual void Cls() = 0;  // clear to BackColor (or to the persistent picture), text position to 0, 0
  // A line in ForeColor (or the given colour) with DrawWidth and DrawStyle; the text position moves to
  // its end.
  void Line(float x1, float y1, float x2, float y2) { DrawLine(x1, y1, x2, y2, ForeColor); }
  void Line(float x1, float y1, float x2, float y2, OleColor color) { DrawLine(x1, y1, x2, y2, color); }
  // A box outline in the given colour; its inside is filled with FillColor when FillStyle is solid.
  void Box(float x1, float y1, float x2, float y2, OleColor color) { DrawBox(x1, y1, x2, y2, color); }
  void Box(float x1, float y1, float x2, float y2) { DrawBox(x1, y1, x2, y2, ForeColor); }
  // A box filled with the given colour.
  virtual void FilledBox(float x1, float y1, float x2, float y2, OleColor color) = 0;
  // A circle outlined in the colour, filled with FillColor when FillStyle is solid.
  void Circle(float x, float y, float radius, OleColor color) { DrawCircle(x, y, radius, color); }
  void Circle(float x, float y, float radius) { DrawCircle(x, y, radius, ForeColor); }
  // A point as wide as the pen.
  virtual void PSet(float x, float y, OleColor color) = 0;
  // Text in ForeColor with its top-left corner at the text position; the position then moves to the
  // start of the next line.
  virtual void Print(std::string_view text) = 0;
  virtual float TextWidth(std::string_view text) = 0;
  virtual float TextHeight(std::string_view text) = 0;

  // ---- Device-pixel operations.
  // Copies a block of pixels of source (any surface, this one too) into this surface (a plain source
  // copy), within this surface's clip rectangle.
  virtual void BitBlt(int xDest, int yDest, int width, int height, Surface& source, int xSource,
                      int ySource) = 0;
  // Selects a pen for MoveTo/LineTo, Polygon and Rectangle and returns the previous selection; no pen
  // selected means the surface's own pen (ForeColor, DrawWidth).
  virtual std::optional<Pen> SelectPen(std::optional<Pen> pen) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // leaves out the end pixel
  // Closed polygon and rectangle: outlined with the pen, filled with FillColor when FillStyle is solid.
  virtual void Polygon(std::span<const PixelPoint> points) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // Text in the current font and ForeColor, its top-left corner at pixel (x, y), rotated counter-clockwise
  // by escapement tenths of a degree about that corner.
  virtual void TextOut(int x, int y, std::string_view text, int escapement) = 0;
  // A marker rasterised once, anchored at pixel (x, y), within the clip rectangle. A surface that keeps
  // shapes paints the runs as boxes and takes no blended pixels.
  virtual void PaintStamp(int x, int y, const PixelStamp& stamp);

  // ---- Clipping: every operation draws only inside the clip rectangle (surface units; the right and
  // bottom edges are left out).
  virtual void SetClipRect(float left, float top, float right, float bottom) = 0;
  virtual void ResetClip() = 0;

  // ---- How the surface draws, for drawing code that takes shortcuts.
  // True when one-pixel lines, boxes and circles land on whole pixels by the rules above and nothing is
  // blended: shortcuts in pixel space (fewer line segments, markers copied as runs) then leave every
  // pixel as drawing it all would. A surface that blends or keeps shapes says false and gets everything
  // drawn, but for what JoinsLines allows.
  virtual bool ExactPixels() const = 0;
  // True when solid lines of one pen that go on where the previous one ended become one path with round
  // joins and ends, so that what shows is the set of points the pen passes over: a run of segments may
  // then be drawn as fewer segments over the same points (within one pixel column, from its first point
  // through its extremes to its last) and the picture stays the same.
  virtual bool JoinsLines() const { return false; }
  // True when the drawing is kept as shapes (a document) rather than as pixels, which the document's
  // reader draws at a resolution of its own: a gradient then gives each band of one colour as one shape
  // rather than a line a pixel, which the document would carry line by line.
  virtual bool KeepsShapes() const { return false; }
  // Fills the whole surface (within the clip) with the colours spread evenly from pixel (x0, y0) to
  // (x1, y1), the first and last held beyond the ends: a smooth gradient. False, having drawn nothing,
  // on a surface that leaves gradients to lines of pixels, which paint the same colours exactly.
  virtual bool FillRamp(double x0, double y0, double x1, double y1, std::span<const OleColor> colours);

  // ---- Work held back. A surface may put off work until its pixels are read (a large plain fill that
  // later drawing may still cover, line segments gathered into one path). Every reader below (Image,
  // Pixel, SavePicture, a copy from the surface) does it first, which is why none of them is const.
  // Does all work held back.
  virtual void Flush() = 0;
  // The whole surface is about to be painted over: whatever it holds (work held back, shapes kept) may be
  // dropped, and its pixels are undefined until drawn.
  virtual void Discard() = 0;

  // ---- The picture.
  // Makes the source's current image this surface's persistent picture, and shows it.
  void SetPicture(Surface& source) { ShowPicture(source, nullptr); }
  // The same, for a source whose image differs from the picture it replaces only inside `changed`: only
  // that part, and whatever was drawn over the old picture since it was shown, is shown again and
  // reported changed.
  void SetPicture(Surface& source, const PixelRect& changed) { ShowPicture(source, &changed); }
  // Tells the host which pixels changed since the last Refresh (the host repaints what it shows).
  void Refresh();
  void OnRefresh(std::function<void(const PixelRect&)> f) { onRefresh_ = std::move(f); }
  // The current image's pixels, for a host that shows them; valid until the surface next draws.
  virtual PictureView Image() = 0;
  // The colour (0x00BBGGRR) of a pixel, or -1 outside the surface.
  OleColor Pixel(int x, int y);
  // Writes the current image to a file; the format follows the extension (.png, .svg, .pdf).
  // Raises run-time error 75 when the file cannot be written.
  virtual void SavePicture(const std::string& path) = 0;

 protected:
  virtual void DrawLine(float x1, float y1, float x2, float y2, OleColor color) = 0;
  virtual void DrawBox(float x1, float y1, float x2, float y2, OleColor color) = 0;
  virtual void DrawCircle(float x, float y, float radius, OleColor color) = 0;
  // SetPicture; changed is null when all of the picture may have changed.
  virtual void ShowPicture(Surface& source, const PixelRect* changed) = 0;

  // ---- Changed pixels. The operations call Touch with the box they may draw in, [x0, x1) x [y0, y1)
  // (clipped to the surface when reported).
  void Touch(int64_t x0, int64_t y0, int64_t x1, int64_t y1) noexcept { touched_.Add(x0, y0, x1, y1); }
  void TouchAll() noexcept { Touch(0, 0, PixelWidth(), PixelHeight()); }
  // For ShowPicture: the box to show again for `changed`, [x0, x1) x [y0, y1) within the surface, or
  // the whole surface when the pixels are not known to be the last picture outside what was drawn over
  // it. PictureShown marks that the pixels now are the picture.
  struct Area {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  };
  Area PartToShow(const PixelRect* changed) const;
  void PictureShown() noexcept;

  // ---- What a copy between two surfaces (BitBlt, SetPicture) reads from its source. The backends call
  // these on each other through the static forms.
  // A plain box of one colour (0x00RRGGBB) that a surface holds back rather than paints.
  struct HeldFill {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    uint32_t rgb = 0;
  };
  // The pixels (0x00RRGGBB): all painted, or, when held is given and the surface holds back one plain box
  // with nothing drawn over it, all but that box, which *held then describes.
  virtual PictureView CopyPixels(std::optional<HeldFill>* held);
  // The drawing as shapes (a cairo recording in device pixels) for a surface that keeps them; null for a
  // surface of pixels.
  virtual cairo_surface_t* CopyShapes() { return nullptr; }
  static PictureView CopyPixelsOf(Surface& source, std::optional<HeldFill>* held) {
    return source.CopyPixels(held);
  }
  static cairo_surface_t* CopyShapesOf(Surface& source) { return source.CopyShapes(); }

  // Whether a size of width x height twips, CapMargin set aside, has more pixels than a surface holds.
  bool BeyondCap(float width, float height) const;

  void SetPlacement(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }

 private:
  struct Box64 {
    int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;  // empty
    void Add(int64_t a0, int64_t b0, int64_t a1, int64_t b1) noexcept {
      x0 = std::min(x0, a0);
      y0 = std::min(y0, b0);
      x1 = std::max(x1, a1);
      y1 = std::max(y1, b1);
    }
    void Add(const Box64& b) noexcept { Add(b.x0, b.y0, b.x1, b.y1); }
  };
  float Convert(float value, ScaleUnit from, ScaleUnit to) const;

  double dpi_;
  double twipsPerPixel_;
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::function<void(const PixelRect&)> onRefresh_;
  // Changed pixels: touched since the last Refresh or picture shown, whichever came last; changed before
  // that picture was shown and not reported yet; drawn over the picture before the last Refresh (all of
  // the surface until a picture is first shown).
  Box64 touched_, unreported_;
  Box64 overPicture_{INT64_MIN, INT64_MIN, INT64_MAX, INT64_MAX};
};

// A surface of one of the backends: Raster draws exact aliased pixels; Smooth draws pixels with smoothed
// lines, curves, circles and polygons; Document keeps shapes for SVG and PDF, where the inverting draw
// mode draws nothing; Painting keeps shapes and text for a host's painter, and draws them nowhere else.
enum class SurfaceKind { Raster, Smooth, Document, Painting };
std::unique_ptr<Surface> MakeSurface(double dpi, SurfaceKind kind = SurfaceKind::Raster);

}  // namespace plotara
