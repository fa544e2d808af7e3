// The production drawing surface: a raster image in memory, drawn with cairo (fonts through fontconfig
// and FreeType) and with the device-interface pixel rules the rendering steps were written for. The
// one-pixel primitives (lines, boxes, circles, points) are rasterised here directly, which makes them
// exact and fast; wider pens, polygon fills and text go through cairo.
#pragma once

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "surface/CairoHelpers.h"
#include "surface/Surface.h"

namespace plotara {

class CairoSurface : public Surface {
 public:
  explicit CairoSurface(double dpi = 96.0) : CairoSurface(dpi, false) {}
  ~CairoSurface() override;

  std::unique_ptr<Surface> MakeCompatible() const override;

  void Move(float left, float top, float width, float height) override;
  int PixelWidth() const override { return w_; }
  int PixelHeight() const override { return h_; }

  void Cls() override;
  void FilledBox(float x1, float y1, float x2, float y2, OleColor color) override;
  void PSet(float x, float y, OleColor color) override;
  void Print(std::string_view text) override;
  float TextWidth(std::string_view text) override;
  float TextHeight(std::string_view text) override;

  void BitBlt(int xDest, int yDest, int width, int height, Surface& source, int xSource,
              int ySource) override;
  std::optional<Pen> SelectPen(std::optional<Pen> pen) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polygon(std::span<const PixelPoint> points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, std::string_view text, int escapement) override;
  void PaintStamp(int x, int y, const PixelStamp& stamp) override;

  void SetClipRect(float left, float top, float right, float bottom) override;
  void ResetClip() override;

  bool ExactPixels() const override { return true; }
  void Flush() override;
  void Discard() override;

  PictureView Image() override;
  void SavePicture(const std::string& path) override;

 protected:
  void DrawLine(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawBox(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawCircle(float x, float y, float radius, OleColor color) override;
  void ShowPicture(Surface& source, const PixelRect* changed) override;
  PictureView CopyPixels(std::optional<HeldFill>* held) override;

  // ---- For a surface that draws some shapes itself with cairo on these pixels (SmoothSurface).
  struct Box4 {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // [x0, x1) x [y0, y1)
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
    int64_t Size() const { return Empty() ? 0 : static_cast<int64_t>(x1 - x0) * (y1 - y0); }
    bool Holds(const Box4& b) const { return b.x0 >= x0 && b.x1 <= x1 && b.y0 >= y0 && b.y1 <= y1; }
    Box4 Meet(const Box4& b) const {
      return {std::max(x0, b.x0), std::max(y0, b.y0), std::min(x1, b.x1), std::min(y1, b.y1)};
    }
  };
  cairo_t* Context() const { return cr_; }
  const Box4& Clip() const { return clip_; }
  bool Inverting() const { return DrawMode == PenMode::Invert; }
  // Every operation names the box it may draw in before it draws: the box is marked as changed, and the
  // rows of the persistent picture there that are still held only by the pixels are copied out.
  void Reach(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    // The common case, called for every symbol stamped: a box inside the clip rectangle, on rows that
    // hold no part of the picture still.
    if (x0 >= clip_.x0 && x1 <= clip_.x1 && y0 >= clip_.y0 && y1 <= clip_.y1 && x0 < x1 && y0 < y1 &&
        (rowsInPixels_ == 0 || (y0 >= keptY0_ && y1 <= keptY1_))) {
      Touch(x0, y0, x1, y1);
      return;
    }
    ReachClipped(x0, y0, x1, y1);
  }
  void BeginCairo();  // before drawing with cairo
  // Before writing pixels directly: the pixels, within the clip rectangle only.
  PictureView BeginWritePixels() {
    BeginWrite();
    return {data_, w_, h_, stride_};
  }
  // Pixels of a box within the clip rectangle, replaced by one colour (a large box perhaps late).
  void FillRect(int x0, int y0, int x1, int y1, uint32_t rgb);
  // Work the derived surface started on the cairo context and has not finished (a line path being
  // gathered): FinishShapes runs before anything else draws, clips or reads the pixels.
  void ShapesPending(bool pending) { shapesPending_ = pending; }
  virtual void FinishShapes() {}
  // The pen of MoveTo/LineTo: the one selected, or the surface's own (ForeColor, DrawWidth).
  Pen CurrentPen() const;
  bool PenSelected() const { return pen_.has_value(); }
  PixelPoint& PenPosition() { return penPos_; }
  // Turned text: with turnLevelLayout the glyphs are placed where level text has them and turned as a
  // whole, as the documents do; otherwise they are laid out along the turned line.
  CairoSurface(double dpi, bool turnLevelLayout);

 private:
  // A plain fill not painted yet: its colour, its pixel box, and the boxes filled over it since, which are
  // painted already and keep their own colours.
  struct LateFill {
    static constexpr int kMaxOver = 16;
    uint32_t rgb = 0;
    Box4 area;
    std::array<Box4, kMaxOver> over;
    int overCount = 0;
  };

  // A new image of w x h pixels that keeps the old one's pixels; raises 7, changing nothing, when no
  // memory can be had.
  void Reallocate(int w, int h);
  void SetUpContext();
  void SyncCairoClip();
  void BeginDirect();                 // before reading pixels directly
  void BeginWrite();                  // before writing pixels directly
  void BeginWriteOver(Box4 covered);  // before writing every pixel of covered directly
  void FlushCairo();
  void FinishPending() {
    if (shapesPending_) {
      shapesPending_ = false;
      FinishShapes();
    }
  }
  // A large plain fill is left unpainted until its pixels are needed: a page fill that the graph's own
  // fills cover is then painted only where it shows, a saved page that is never read back is never
  // painted, and a copy from it fills rather than copies. False when the box must be filled now.
  bool FillLate(Box4 b, uint32_t rgb);
  // Paints the late fill, but for what lies in except (about to be written over), and forgets it.
  void PaintLateFill(Box4 except);
  void PaintBox(Box4 b, uint32_t rgb);  // a box within the clip rectangle, pixels replaced
  Box4 PixelBox(float x1, float y1, float x2, float y2) const;  // the pixels of a box, corners in order

  void Plot(int x, int y, uint32_t rgb);
  void Span(int y, int x0, int x1, uint32_t rgb);
  void OutlineRect(int x0, int y0, int x1, int y1, uint32_t rgb, int width);
  void PixelLine(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted);
  void ThinLine(int x1, int y1, int x2, int y2, uint32_t rgb, bool dotted, bool lastPixel, int phase);
  void WideLine(double x1, double y1, double x2, double y2, uint32_t rgb, int width, bool dotted,
                double phase);
  void RasterCircle(int cx, int cy, int r, uint32_t rgb, bool fill, uint32_t fillRgb);
  void SetSource(uint32_t rgb);
  bool ApplyFont();  // selects the current font into cairo; false when no font can be had
  // Copies the persistent picture into the pixels, BackColor beyond it.
  void CopyPictureIn();
  void KeepPictureRows(int y0, int y1);
  void ReachClipped(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

  cairo_surface_t* img_ = nullptr;
  cairo_t* cr_ = nullptr;
  uint32_t* data_ = nullptr;
  int w_ = 0, h_ = 0, stride_ = 0;
  Box4 clip_;
  std::vector<uint32_t> picture_;
  int picW_ = 0, picH_ = 0;
  // Rows of the persistent picture that are still the current pixels, not yet copied out: a row is copied
  // when something is about to draw on it, and never when the next picture replaces this one first (a
  // legend drawn on a shown picture copies only its own rows).
  std::vector<uint8_t> rowInPixels_;
  int rowsInPixels_ = 0;
  int keptY0_ = 0, keptY1_ = 0;  // a band of rows known to be copied out
  std::optional<Pen> pen_;
  PixelPoint penPos_;
  DashPhase dash_;
  FontFaces faces_;
  std::string appliedFont_;
  bool cairoPending_ = false;   // cairo drew since the last flush
  bool directPending_ = false;  // pixels were written directly since cairo last looked
  bool shapesPending_ = false;
  const bool turnLevelLayout_;
  std::optional<LateFill> late_;
};

}  // namespace plotara
