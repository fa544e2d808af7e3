#include "surface/PaintingSurface.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "platform/RuntimeError.h"
#include "platform/SysColors.h"
#include "platform/TextEncoding.h"

namespace plotara {

namespace {

// Past this many pixels a side the page is beyond any printer's.
constexpr int kMaxSide = 1 << 20;

PagePoint Centre(int x, int y) {
  return {x + 0.5, y + 0.5};
}

}  // namespace

// Replays commands onto a painter. A list starts with no clip of its own, within whatever clip and
// translation the painter has; each clip command replaces the list's clip.
class PaintingSurface::Replay {
 public:
  explicit Replay(PagePainter& painter) : painter(painter) {}
  void SetClip(const std::optional<Box>& clip) {
    painter.Restore();
    painter.Save();
    if (clip) painter.Clip(clip->x0, clip->y0, clip->x1, clip->y1);
  }
  PagePainter& painter;
};

PaintingSurface::PaintingSurface(double dpi) : Surface(dpi), list_(std::make_shared<List>()) {}

std::unique_ptr<Surface> PaintingSurface::MakeCompatible() const {
  return std::make_unique<PaintingSurface>(Dpi());
}

void PaintingSurface::Move(float left, float top, float width, float height) {
  const int w = std::max(0, PixelX(width)), h = std::max(0, PixelY(height));
  if (w > kMaxSide || h > kMaxSide) Raise(err::OutOfMemory);
  if (w != w_ || h != h_) {
    const bool wholeClip = clip_.x0 == 0 && clip_.y0 == 0 && clip_.x1 == w_ && clip_.y1 == h_;
    w_ = w;
    h_ = h;
    if (wholeClip) ResetClip();
    TouchAll();
  }
  SetPlacement(left, top, width, height);
}

// ---------------------------------------------------------------- the list

void PaintingSurface::Add(Command command) {
  FinishLine();
  list_->push_back(std::move(command));
}

void PaintingSurface::Restart() {
  line_.reset();
  list_ = std::make_shared<List>();
}

bool PaintingSurface::CoversAll(const Box& b) const {
  const bool unclipped = clip_.x0 <= 0 && clip_.y0 <= 0 && clip_.x1 >= w_ && clip_.y1 >= h_;
  return unclipped && b.x0 <= 0 && b.y0 <= 0 && b.x1 >= w_ && b.y1 >= h_;
}

PaintingSurface::Snapshot PaintingSurface::Take() {
  FinishLine();
  return {list_, list_->size()};
}

void PaintingSurface::PaintSnapshot(Replay& r, const Snapshot& s) {
  r.painter.Save();  // the list's own clip lies within this pair
  for (size_t i = 0; i < s.count; ++i) (*s.list)[i](r);
  r.painter.Restore();
}

void PaintingSurface::Paint(PagePainter& painter) {
  Replay r(painter);
  PaintSnapshot(r, Take());
}

void PaintingSurface::Flush() {
  FinishLine();
}

void PaintingSurface::Discard() {
  Restart();
  TouchAll();
}

void PaintingSurface::SavePicture(const std::string&) {
  Raise(err::InvalidProcedureCall);
}

// ---------------------------------------------------------------- state

PaintingSurface::Box PaintingSurface::PixelBox(float x1, float y1, float x2, float y2) const {
  Box b{PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2)};
  if (b.x0 > b.x1) std::swap(b.x0, b.x1);
  if (b.y0 > b.y1) std::swap(b.y0, b.y1);
  return b;
}

Pen PaintingSurface::CurrentPen() const {
  return pen_ ? *pen_ : Pen{ForeColor, std::max(1, DrawWidth)};
}

void PaintingSurface::SetClipRect(float left, float top, float right, float bottom) {
  Box b = PixelBox(left, top, right, bottom);
  b = {std::clamp(b.x0, 0, w_), std::clamp(b.y0, 0, h_), std::clamp(b.x1, 0, w_), std::clamp(b.y1, 0, h_)};
  clip_ = b;
  Add([b](Replay& r) { r.SetClip(b); });
}

void PaintingSurface::ResetClip() {
  clip_ = {0, 0, w_, h_};
  Add([](Replay& r) { r.SetClip(std::nullopt); });
}

// ---------------------------------------------------------------- shapes

void PaintingSurface::Fill(const Box& b, uint32_t color) {
  if (Inverting() || b.x0 >= b.x1 || b.y0 >= b.y1) return;
  if (CoversAll(b)) Restart();
  Add([b, color](Replay& r) { r.painter.FillBox(b.x0, b.y0, b.x1, b.y1, color); });
}

// The pen runs through the centres of the box's edge pixels, as the raster surface outlines it.
void PaintingSurface::Outline(const Box& b, uint32_t color, int width) {
  if (Inverting() || b.x0 >= b.x1 || b.y0 >= b.y1) return;
  const std::vector<PagePoint> corners{Centre(b.x0, b.y0), Centre(b.x1 - 1, b.y0), Centre(b.x1 - 1, b.y1 - 1),
                                       Centre(b.x0, b.y1 - 1)};
  Add([corners, color, width](Replay& r) { r.painter.StrokeLine(corners, true, width, false, color); });
}

void PaintingSurface::Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dotted) {
  if (Inverting()) return;
  const PagePoint from = Centre(x1, y1), to = Centre(x2, y2);
  if (!dotted) {
    // Segments that go on from the last one's end become one line with round joins: the same points.
    if (line_ && line_->color == color && line_->width == width && line_->points.back().X == from.X &&
        line_->points.back().Y == from.Y) {
      line_->points.push_back(to);
      return;
    }
    FinishLine();
    line_ = PendingLine{{from, to}, color, width};
    return;
  }
  Add([from, to, color, width](Replay& r) {
    const PagePoint points[] = {from, to};
    r.painter.StrokeLine(points, false, width, true, color);
  });
}

void PaintingSurface::FinishLine() {
  if (!line_) return;
  PendingLine line = std::move(*line_);
  line_.reset();
  list_->push_back([line = std::move(line)](Replay& r) {
    r.painter.StrokeLine(line.points, false, line.width, false, line.color);
  });
}

void PaintingSurface::Cls() {
  Restart();
  const uint32_t back = ResolvedRgb(BackColor);
  const int w = w_, h = h_;
  Add([back, w, h](Replay& r) { r.painter.FillBox(0, 0, w, h, back); });
  if (picture_) Add([picture = *picture_](Replay& r) { PaintSnapshot(r, picture); });
  TouchAll();
  CurrentX = 0;
  CurrentY = 0;
}

void PaintingSurface::DrawLine(float x1, float y1, float x2, float y2, OleColor color) {
  Line(PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2), ResolvedRgb(color), std::max(1, DrawWidth),
       DrawStyle == LineKind::Dot);
  CurrentX = x2;
  CurrentY = y2;
}

void PaintingSurface::DrawBox(float x1, float y1, float x2, float y2, OleColor color) {
  const Box b = PixelBox(x1, y1, x2, y2);
  if (FillStyle == FillKind::Solid) Fill(b, ResolvedRgb(FillColor));
  Outline(b, ResolvedRgb(color), std::max(1, DrawWidth));
  CurrentX = x2;
  CurrentY = y2;
}

void PaintingSurface::FilledBox(float x1, float y1, float x2, float y2, OleColor color) {
  Fill(PixelBox(x1, y1, x2, y2), ResolvedRgb(color));
  CurrentX = x2;
  CurrentY = y2;
}

// As the raster circle: filled within r + 1/2 of the centre pixel, outlined at r.
void PaintingSurface::DrawCircle(float x, float y, float radius, OleColor color) {
  CurrentX = x;
  CurrentY = y;
  if (Inverting()) return;
  const PagePoint c = Centre(PixelX(x), PixelY(y));
  const double r = std::abs(PixelX(radius));
  if (FillStyle == FillKind::Solid)
    Add([c, r, fill = ResolvedRgb(FillColor)](Replay& rp) {
      rp.painter.FillCircle(c.X, c.Y, r + 0.5, fill);
    });
  Add([c, r, width = std::max(1, DrawWidth), rgb = ResolvedRgb(color)](Replay& rp) {
    rp.painter.StrokeCircle(c.X, c.Y, r, width, rgb);
  });
}

void PaintingSurface::PSet(float x, float y, OleColor color) {
  CurrentX = x;
  CurrentY = y;
  if (Inverting()) return;
  const int px = PixelX(x), py = PixelY(y), width = std::max(1, DrawWidth);
  if (width == 1) {
    Fill({px, py, px + 1, py + 1}, ResolvedRgb(color));
  } else {
    Add([c = Centre(px, py), width, rgb = ResolvedRgb(color)](Replay& r) {
      r.painter.FillCircle(c.X, c.Y, width / 2.0, rgb);
    });
  }
}

bool PaintingSurface::FillRamp(double x0, double y0, double x1, double y1,
                               std::span<const OleColor> colours) {
  if (colours.size() < 2 || Inverting()) return false;
  const Box all{0, 0, w_, h_};
  if (CoversAll(all)) Restart();
  std::vector<uint32_t> rgb(colours.size());
  std::transform(colours.begin(), colours.end(), rgb.begin(), [&](OleColor c) { return ResolvedRgb(c); });
  Add([all, from = Centre(0, 0), x0, y0, x1, y1, rgb = std::move(rgb)](Replay& r) {
    r.painter.FillGradient(all.x0, all.y0, all.x1, all.y1, x0 + from.X, y0 + from.Y, x1 + from.X, y1 + from.Y,
                           rgb);
  });
  return true;
}

// ---------------------------------------------------------------- device-pixel operations

void PaintingSurface::BitBlt(int xDest, int yDest, int width, int height, Surface& source, int xSource,
                             int ySource) {
  auto* from = dynamic_cast<PaintingSurface*>(&source);
  if (!from || Inverting()) return;  // a painting takes copies of paintings only
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
  const Snapshot shown = from->Take();  // a copy within one surface too: what stood before it
  const Box block{xDest, yDest, xDest + width, yDest + height};
  if (CoversAll(block)) Restart();
  Add([shown, block, dx = xDest - xSource, dy = yDest - ySource](Replay& r) {
    r.painter.Save();
    r.painter.Clip(block.x0, block.y0, block.x1, block.y1);
    r.painter.Translate(dx, dy);
    PaintSnapshot(r, shown);
    r.painter.Restore();
  });
}

void PaintingSurface::ShowPicture(Surface& source, const PixelRect*) {
  auto* from = dynamic_cast<PaintingSurface*>(&source);
  if (!from) return;
  picture_ = from->Take();
  Restart();
  Add([picture = *picture_](Replay& r) { PaintSnapshot(r, picture); });
  TouchAll();
}

std::optional<Pen> PaintingSurface::SelectPen(std::optional<Pen> pen) {
  std::optional<Pen> previous = pen_;
  pen_ = pen;
  return previous;
}

void PaintingSurface::MoveTo(int x, int y) {
  penPos_ = {x, y};
}

void PaintingSurface::LineTo(int x, int y) {
  const Pen pen = CurrentPen();
  Line(penPos_.x, penPos_.y, x, y, ResolvedRgb(pen.color), pen.width, !pen_ && DrawStyle == LineKind::Dot);
  penPos_ = {x, y};
}

void PaintingSurface::Polygon(std::span<const PixelPoint> points) {
  if (Inverting() || points.empty()) return;
  std::vector<PagePoint> centres;
  centres.reserve(points.size());
  for (const PixelPoint& p : points) centres.push_back(Centre(p.x, p.y));
  const Pen pen = CurrentPen();
  std::optional<uint32_t> fill;
  if (FillStyle == FillKind::Solid) fill = ResolvedRgb(FillColor);
  Add([centres = std::move(centres), fill, rgb = ResolvedRgb(pen.color), width = pen.width](Replay& r) {
    if (fill) r.painter.FillPolygon(centres, *fill);
    r.painter.StrokeLine(centres, true, width, false, rgb);
  });
}

void PaintingSurface::Rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const Pen pen = CurrentPen();
  if (FillStyle == FillKind::Solid) Fill({left, top, right, bottom}, ResolvedRgb(FillColor));
  Outline({left, top, right, bottom}, ResolvedRgb(pen.color), pen.width);
}

// ---------------------------------------------------------------- text

double PaintingSurface::FontPixelSize() const {
  return FontPixels(FontSize, kTwipsPerInch / TwipsPerPixelX());
}

bool PaintingSurface::ApplyFont() {
  return measure_.Select(FontName, FontBold, FontItalic, FontPixelSize());
}

float PaintingSurface::TextWidth(std::string_view text) {
  if (text.empty() || !ApplyFont()) return 0;
  return static_cast<float>(measure_.Advance(text) * TwipsPerPixelX());
}

float PaintingSurface::TextHeight(std::string_view) {
  if (!ApplyFont()) return 0;
  return static_cast<float>(measure_.Height() * TwipsPerPixelY());
}

void PaintingSurface::TextOut(int x, int y, std::string_view text, int escapement) {
  if (text.empty() || Inverting() || !ApplyFont()) return;
  Add([utf8 = ToValidUtf8(text), font = PageFont{FontName, FontPixelSize(), FontBold, FontItalic}, x, y,
       ascent = measure_.Ascent(), advance = measure_.Advance(text), angle = escapement / 10.0,
       rgb = ResolvedRgb(ForeColor)](Replay& r) {
    r.painter.Text({utf8, font, static_cast<double>(x), static_cast<double>(y), ascent, advance, angle, rgb});
  });
}

void PaintingSurface::Print(std::string_view text) {
  const float height = TextHeight(text);
  TextOut(PixelX(CurrentX), PixelY(CurrentY), text, 0);
  CurrentX = 0;
  CurrentY += height;
}

}  // namespace plotara
