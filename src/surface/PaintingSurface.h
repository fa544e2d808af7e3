// A drawing surface that keeps its drawing as a list of shapes and texts for a host's painter
// (plotara/PagePainter.h): how a chart reaches a toolkit's printing with its text as text. It lays out
// as the other surfaces do (text measured with the raster surface's fonts, in device pixels of its
// resolution); a block copy keeps the source's list as it stood, shown through the block, so the refresh
// pipeline runs on it unchanged. It has no pixels to read: Image is empty, and a painting is not saved
// to a file. The inverting draw mode, an interactive aid, draws nothing.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "plotara/PagePainter.h"
#include "surface/CairoHelpers.h"
#include "surface/Surface.h"

namespace plotara {

class PaintingSurface final : public Surface {
 public:
  explicit PaintingSurface(double dpi = 96.0);

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

  void SetClipRect(float left, float top, float right, float bottom) override;
  void ResetClip() override;
  bool ExactPixels() const override { return false; }
  bool JoinsLines() const override { return true; }
  bool KeepsShapes() const override { return true; }
  bool FillRamp(double x0, double y0, double x1, double y1, std::span<const OleColor> colours) override;
  void Flush() override;
  void Discard() override;

  PictureView Image() override { return {}; }
  // Raises error 5: a painting goes to a painter (Paint), never to a file.
  void SavePicture(const std::string& path) override;

  // Paints the drawing as it stands onto the painter.
  void Paint(PagePainter& painter);
  // Number of commands the drawing is kept as: a copied block counts one.
  size_t Commands() const { return list_->size() + (line_ ? 1 : 0); }

 protected:
  void DrawLine(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawBox(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawCircle(float x, float y, float radius, OleColor color) override;
  void ShowPicture(Surface& source, const PixelRect* changed) override;

 private:
  class Replay;
  using Command = std::function<void(Replay&)>;
  using List = std::vector<Command>;
  // The drawing as it stood at one moment: the first `count` commands of a list that only grows.
  struct Snapshot {
    std::shared_ptr<const List> list;
    size_t count = 0;
  };
  struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // [x0, x1) x [y0, y1)
  };
  // Solid lines that go on where the last ended, in its colour and width, gathered into one line.
  struct PendingLine {
    std::vector<PagePoint> points;
    uint32_t color = 0;
    int width = 1;
  };

  void Add(Command command);
  // Starts a new list: what was drawn is all covered. Snapshots keep the old one.
  void Restart();
  // True when an opaque block covers the whole surface with no clip to stop it.
  bool CoversAll(const Box& block) const;
  Snapshot Take();
  Box PixelBox(float x1, float y1, float x2, float y2) const;
  Pen CurrentPen() const;
  bool Inverting() const { return DrawMode == PenMode::Invert; }
  void Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dotted);
  void Fill(const Box& b, uint32_t color);
  void Outline(const Box& b, uint32_t color, int width);
  void FinishLine();
  // Selects the font into measure_; false when none can be had.
  bool ApplyFont();
  double FontPixelSize() const;
  static void PaintSnapshot(Replay& r, const Snapshot& s);

  int w_ = 0, h_ = 0;
  Box clip_;
  std::shared_ptr<List> list_;
  std::optional<PendingLine> line_;
  std::optional<Snapshot> picture_;  // the persistent picture
  std::optional<Pen> pen_;
  PixelPoint penPos_;
  TextMeasure measure_;
};

}  // namespace plotara
