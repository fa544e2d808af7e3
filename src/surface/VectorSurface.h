// A drawing surface that keeps its drawing as shapes, for documents: a cairo recording surface measured in
// the device pixels of its resolution, so that every rendering step lays out exactly as on the raster
// surface. Lines, boxes, circles, polygons and points become paths (ShapePainter), text becomes glyphs of
// an embedded font, and a block copy paints the source's recording clipped to the block. Written to .pdf
// the recordings stay vector (cairo's writer); .svg is written from the same shapes kept as lists beside
// the recordings (ShapeList, SvgWriter); rasterised (Image, Pixel, .png) the picture comes out smoothed.
// The inverting draw mode, an interactive aid, draws nothing.
//
// A redraw replaces what it covers. A shape is recorded with the box its ink can reach; an opaque block
// (a filled box, a copy, a smooth gradient) that covers all of the drawing starts the recording afresh.
// One that covers only part of it (the pipeline redraws one graph by copying the saved page over it)
// splits the drawing into layers: a layer that later blocks cover whole is dropped, copies of the same
// source at the same place merge, and when more than kMaxLayers pile up, the one that shows least is
// replaced by a picture of what it shows, so that the recording stays bounded however often a part is
// redrawn.
#pragma once

#include <cairo.h>

#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "surface/CairoHelpers.h"
#include "surface/ShapePainter.h"
#include "surface/Surface.h"

namespace plotara {

struct ShapeList;

class VectorSurface final : public Surface, private ShapeCanvas {
 public:
  explicit VectorSurface(double dpi = 96.0);
  ~VectorSurface() override;

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
  // A smooth cairo gradient: documents print it without bands or seams.
  bool FillRamp(double x0, double y0, double x1, double y1, std::span<const OleColor> colours) override;
  void Flush() override;
  void Discard() override;

  // .svg and .pdf as vector documents of the picture's physical size, .png rasterised.
  void SavePicture(const std::string& path) override;
  PictureView Image() override;

  // Number of drawing commands the drawing is kept as: a copied block counts one, a layer replaced by
  // a picture one.
  int64_t Commands() const;
  // Number of layers the drawing is kept in: 1 until a block covers part of it.
  int Layers() const { return static_cast<int>(layers_.size()) + 1; }
  // Layers beyond this many are merged.
  static constexpr size_t kMaxLayers = 32;

 protected:
  void DrawLine(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawBox(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawCircle(float x, float y, float radius, OleColor color) override;
  void ShowPicture(Surface& source, const PixelRect* changed) override;
  cairo_surface_t* CopyShapes() override;

 private:
  struct Box4 {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // [x0, x1) x [y0, y1)
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
  };
  // A part of the drawing under the recording in progress. The first layer holds the back colour the
  // drawing started on and is never dropped.
  struct Layer {
    cairo_surface_t* shapes = nullptr;  // a closed recording, or the source of a copied block
    bool copy = false;                  // a copied block: its source shows only within `shown`
    double dx = 0, dy = 0;              // a copy: where the source's origin lands, in pixels
    double scale = 1;                   // a copy: source units per pixel
    cairo_region_t* shown = nullptr;    // the part no later opaque block covers
    Box4 drawn;                         // holds everything the layer draws
    bool hidden = false;                // a later block covers part of it
    int64_t commands = 0;
  };

  // Starts a new recording of w x h pixels filled with BackColor, with the old one painted at its
  // top-left when keep.
  void Restart(int w, int h, bool keep);
  // Starts the recording afresh at the same size, keeping the clip rectangle.
  void Forget();
  // A new recording in progress over the layers; `base` paints it with the back colour first.
  void OpenRecording(bool base);
  void SetUpContext();
  void SyncClip();
  // Sets the operator, colour and smoothing for one shape whose ink stays within extent; false when
  // nothing is to be drawn.
  bool Begin(uint32_t rgb, const Box4& extent, bool exact = false);
  Box4 PixelBox(float x1, float y1, float x2, float y2) const;
  Pen CurrentPen() const;
  void Fill(double x, double y, double w, double h, uint32_t rgb);
  void Outline(const Box4& b, uint32_t rgb, int width);
  void PixelLine(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted, bool exact);
  bool ApplyFont();  // the current font into both contexts; false when no font can be had
  // Starts afresh with the back colour and the persistent picture.
  void PaintPictureIn();
  // Strokes the line path being gathered, if any; everything that draws, clips or reads the recording
  // does this first.
  void StrokePending() { painter_.FinishLine(); }

  // ShapeCanvas
  cairo_t* Cairo() override { return cr_; }
  ShapeBox ClipBox() const override { return {clip_.x0, clip_.y0, clip_.x1, clip_.y1}; }
  bool BeginShape(uint32_t rgb, bool exact, const ShapeBox& extent) override;
  void ExtendShape(const ShapeBox& extent) override;
  void FillBox(const ShapeBox& b, uint32_t rgb) override { Fill(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, rgb); }
  void StrokePath(std::span<const PixelPoint> points, uint32_t rgb, int width, bool roundEnds) override;
  // Fills or strokes the path on the recording, keeping it in the recording's list of shapes.
  void Paint(bool stroke) override;
  // Counts a drawing command and marks the pixels it may change: those of extent within the clip
  // rectangle (Mark alone for a shape that grows a command already counted).
  void Record(const Box4& extent);
  void Mark(const Box4& extent);
  // Called before an opaque block covers [x0, x1) x [y0, y1) within the clip rectangle: when nothing but
  // the back colour lies outside it, the recording starts afresh; otherwise what lies wholly under it
  // is dropped. Returns the block cut to the clip rectangle.
  Box4 Covering(Box4 block);

  // ---- Layers: what a redraw replaces.
  // The box that holds everything drawn.
  Box4 Everything() const;
  // The recording in progress becomes a layer showing what the block leaves, unless it holds nothing.
  void CloseRecording(const Box4& block);
  // After a copy was taken of the drawing (or the picture shown), what is drawn next starts a layer: a
  // copy back over it (a graph dragged over the page saved without it) then drops it whole.
  void SplitIfCopied();
  // A copy of the picture to where it lies, over the first layer that holds only the picture: that
  // layer shows there again.
  void ShowPictureIn(const Box4& block);
  // A copy of source (its origin at dx, dy) shown within block, as a layer of its own.
  void CopyLayer(cairo_surface_t* source, int dx, int dy, const Box4& block);
  // Merges layers while there are more than kMaxLayers.
  void BoundLayers();
  // Layers lo and lo + 1 become one: a recording of both, or a picture of what shows where they show.
  void MergeLayers(size_t lo, bool picture);
  void PaintLayer(cairo_t* cr, const Layer& layer) const;
  // The whole drawing onto cr: the layers, then the recording in progress.
  void PaintAll(cairo_t* cr);
  // The whole drawing as PaintAll paints it, into a list of shapes alone.
  void KeepAll(ShapeList& into);
  static std::vector<ShapeBox> ShownBoxes(const Layer& layer);
  void DropLayers();
  // The drawing changed: pictures and copies made of it are out of date.
  void Changed();

  // A circle of a radius, pen width, fill (-1: none) and colour, recorded once about (reach, reach),
  // reach = r + width + 1, in a square of 2 reach + 1 pixels.
  struct MarkKey {
    int r = 0, width = 1;
    int64_t fill = -1;
    uint32_t rgb = 0;
    auto operator<=>(const MarkKey&) const = default;
  };
  cairo_surface_t* CircleMark(const MarkKey& key);
  std::map<MarkKey, cairo_surface_t*> marks_;

  cairo_surface_t* rec_ = nullptr;
  cairo_t* cr_ = nullptr;
  int w_ = 0, h_ = 0;
  Box4 clip_;
  cairo_surface_t* picture_ = nullptr;  // recording of the persistent picture
  int picW_ = 0, picH_ = 0;
  std::optional<Pen> pen_;
  PixelPoint penPos_;
  int64_t commands_ = 0;  // in the recording in progress
  ShapePainter painter_{*this};
  std::vector<Layer> layers_;
  cairo_surface_t* frozen_ = nullptr;  // the drawing as copies read it, made when first asked for
  bool splitNext_ = false;             // the next drawing starts a layer
  bool basePicture_ = false;           // the first layer holds the picture and nothing else
  Box4 drawn_;              // holds everything drawn since the recording started; empty when x0 >= x1
  uint32_t startBack_ = 0;  // the back colour the recording started with
  // Text is measured and laid out on a raster context set up as the raster surface's, so that both
  // surfaces place every glyph alike.
  cairo_surface_t* measureSurface_ = nullptr;
  cairo_t* measure_ = nullptr;
  FontFaces faces_;
  std::string appliedFont_;
  // The rasterised recording, made when first asked for after a change.
  cairo_surface_t* raster_ = nullptr;
  bool stale_ = true;
};

}  // namespace plotara
