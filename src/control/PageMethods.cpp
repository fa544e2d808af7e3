// SavePage and PaintPage: the chart drawn anew on surfaces of its own, laid out at the page's size, and
// written as a document (shapes and text) or as pixels at another resolution, or handed to a host's
// painter. The records are shared with the screen,
// so what drawing lays out in them is put back, and the screen drawn again, afterwards.
#include <cmath>
#include <functional>
#include <vector>

#include "control/Control.h"
#include "model/Layout.h"
#include "platform/AutomationError.h"
#include "platform/Conversions.h"
#include "platform/PictureFormat.h"
#include "plotara/Plotara.h"
#include "render/Pipeline.h"
#include "surface/PaintingSurface.h"

namespace plotara {

namespace {

// What drawing the page changes in the records beside the graphs' layout, which the screen's drawing
// lays out again.
struct ScreenState {
  explicit ScreenState(const ControlState& s)
      : pageWidth(s.PageWidth),
        pageHeight(s.PageHeight),
        currentGraph(s.CurrentGraph),
        scrollBarsVisible(s.ScrollBarsVisible),
        label(s.Label1),
        hbar(s.HScroll1),
        vbar(s.VScroll1) {
    for (const GraphRecord& g : s.Graphs) notYetDrawn.push_back(g.NotYetDrawn);
  }
  void Restore(ControlState& s) const {
    s.PageWidth = pageWidth;
    s.PageHeight = pageHeight;
    s.CurrentGraph = currentGraph;
    s.ScrollBarsVisible = scrollBarsVisible;
    s.Label1 = label;
    s.HScroll1 = hbar;
    s.VScroll1 = vbar;
    for (size_t i = 0; i < notYetDrawn.size() && i < s.Graphs.size(); ++i)
      s.Graphs[i].NotYetDrawn = notYetDrawn[i];
  }
  bool AnyDrawn() const {
    for (bool notYet : notYetDrawn)
      if (!notYet) return true;
    return false;
  }
  int32_t pageWidth, pageHeight;
  int16_t currentGraph;
  bool scrollBarsVisible;
  LabelElement label;
  ScrollBarElement hbar, vbar;
  std::vector<bool> notYetDrawn;
};

int Pixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips / TwipsPerPixel(dpi)));
}

// Draws the chart as it is now anew on a picture of the layout's size and resolution, of the given kind,
// and hands it to `use`; the screen's records are put back and the screen drawn again afterwards.
void DrawPage(Control& c, const PageLayout& layout, SurfaceKind kind,
              const std::function<void(Surface& picture, double dpi)>& use) {
  for (double v : {layout.Dpi, layout.PageWidth, layout.PageHeight, layout.Left, layout.Top, layout.Width,
                   layout.Height})
    if (!std::isfinite(v) || v < 0) Raise(err::InvalidProcedureCall);
  const double dpi = layout.Dpi > 0 ? layout.Dpi : c.Dpi;
  const double width = layout.Width > 0 ? layout.Width : c.Picture1->Width(),
               height = layout.Height > 0 ? layout.Height : c.Picture1->Height();

  std::unique_ptr<Surface> back = MakeSurface(dpi, kind), picture = MakeSurface(dpi, kind),
                           saved = MakeSurface(dpi, kind), scratch1 = MakeSurface(dpi, kind),
                           scratch2 = MakeSurface(dpi, kind);
  back->Move(0, 0, static_cast<float>(width), static_cast<float>(height));
  picture->Move(0, 0, static_cast<float>(width), static_cast<float>(height));
  saved->Move(0, 0, picture->Width(), picture->Height());

  ControlState& s = c.State;
  const ScreenState screen(s);
  const bool suppressed = c.Notify.SuppressRaisingEvents;
  c.Notify.SuppressRaisingEvents = true;
  struct Afterwards {
    Control& c;
    const ScreenState& screen;
    bool suppressed;
    ~Afterwards() {
      screen.Restore(c.State);
      if (screen.AnyDrawn()) RefreshGraphs(c.View, -1, true);
      c.Notify.SuppressRaisingEvents = suppressed;
    }
  } afterwards{c, screen, suppressed};
  s.PageWidth = CLng(back->Width() - kPageMargin);
  s.PageHeight = CLng(back->Height() - kPageMargin);
  ShownFront front;
  Drawing page{s, c.Notify, *back, *picture, *saved, *scratch1, *scratch2, c.Tools, front};
  RefreshGraphs(page, -1, true);
  use(*picture, dpi);
}

void WritePage(Control& c, const std::string& path, const PageLayout& layout) {
  const PictureFormat format = PictureFormatOf(path);
  if (format == PictureFormat::None) Raise(err::InvalidProcedureCall);
  const SurfaceKind kind = IsDocument(format) ? SurfaceKind::Document : SurfaceKind::Raster;
  DrawPage(c, layout, kind, [&](Surface& picture, double dpi) {
    const double pageWidth = layout.PageWidth > 0 ? layout.PageWidth : picture.Width(),
                 pageHeight = layout.PageHeight > 0 ? layout.PageHeight : picture.Height();
    if (pageWidth == picture.Width() && pageHeight == picture.Height() && layout.Left == 0 &&
        layout.Top == 0) {
      picture.SavePicture(path);
      return;
    }
    std::unique_ptr<Surface> sheet = MakeSurface(dpi, kind);
    sheet->Move(0, 0, static_cast<float>(pageWidth), static_cast<float>(pageHeight));
    sheet->BackColor = 0x00FFFFFF;
    sheet->Cls();
    sheet->BitBlt(Pixels(layout.Left, dpi), Pixels(layout.Top, dpi), picture.PixelWidth(),
                  picture.PixelHeight(), picture, 0, 0);
    sheet->SavePicture(path);
  });
}

}  // namespace

void Plotara::SavePage(const std::string& path, const PageLayout& layout) {
  AsAutomation([&] { WritePage(*c_, path, layout); });
}

void Plotara::PaintPage(PagePainter& painter, const PageLayout& layout) {
  AsAutomation([&] {
    DrawPage(*c_, layout, SurfaceKind::Painting, [&](Surface& picture, double dpi) {
      painter.Save();
      painter.Translate(layout.Left / plotara::TwipsPerPixel(dpi), layout.Top / plotara::TwipsPerPixel(dpi));
      static_cast<PaintingSurface&>(picture).Paint(painter);
      painter.Restore();
    });
  });
}

}  // namespace plotara
