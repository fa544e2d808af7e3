#include "render/Legend.h"

#include <algorithm>

#include "model/Layout.h"
#include "platform/Conversions.h"
#include "render/DataPlot.h"
#include "render/Fills.h"
#include "render/Pipeline.h"
#include "render/Symbols.h"
#include "render/Text.h"

namespace plotara {

namespace {
// A data set has a row when it is shown and has a legend text that it wants listed.
bool Listed(const DataSetRecord& d) {
  return !d.DataHide && !d.DataLegend.empty() && d.DataInLegendTable;
}
}  // namespace

void LegendTable(Drawing& d, Surface& s, int16_t GraphIndex) {
  const ControlState& state = d.State;
  Notifier& n = d.Notify;
  n.Guard("LegendTable", [&] {
    GraphRecord& g = d.State.Graph(GraphIndex);
    if (!g.LegendShow) return;
    SetGraphFont(n, s, g.LegendFont);
    int count = 0;
    float widest = 0;
    for (const DataSetRecord& data : g.DataSets) {
      if (!Listed(data)) continue;
      ++count;
      widest = std::max(widest, s.TextWidth(data.DataLegend));
    }
    int16_t textWidth = CInt(widest);
    g.LegendRectWidth = 0;
    g.LegendRectHeight = 0;
    // Texts that leave less than 10 mm of the graph's width: no table.
    if (g.RectWidth - textWidth < 10 * state.UnitsPerMmX) textWidth = 0;
    if (textWidth >= 1) {
      const float mmX = state.UnitsPerMmX;
      const float rowHeight = s.TextHeight("A");
      g.LegendRectWidth = CInt(textWidth + 12 * mmX);
      g.LegendRectHeight = CInt((count + 0.8) * rowHeight);
      g.LegendRectLeft =
          std::max(std::min(g.LegendRectLeft, g.RectLeft + g.RectWidth - g.LegendRectWidth), g.RectLeft);
      g.LegendRectTop =
          std::max(std::min(g.LegendRectTop, g.RectTop + g.RectHeight - g.LegendRectHeight), g.RectTop);
      s.FillColor = g.LegendFill.Color1;
      DrawGradient(d, s, kAreaLegend, g.LegendFill);
      const float left = static_cast<float>(g.LegendRectLeft), top = static_cast<float>(g.LegendRectTop);
      if (g.LegendFill.EdgeThickness != 0) {
        s.DrawWidth = g.LegendFill.EdgeThickness;
        s.Box(left, top, left + g.LegendRectWidth, top + g.LegendRectHeight, g.LegendFill.EdgeColor);
        s.DrawWidth = 1;
      }
      const float textX = static_cast<float>(CLng(g.LegendRectLeft + 10 * mmX));
      const float sampleX = textX - kLegendSampleOffset;
      int r = 0;
      for (int16_t i = 0; i < g.NumDataSets(); ++i) {
        const DataSetRecord& data = g.DataSets[static_cast<size_t>(i)];
        if (!Listed(data)) continue;
        ++r;
        const float rowY = static_cast<float>(top + (r - 0.1) * rowHeight);
        PrintText(n, s, data.DataLegend, textX, rowY, kAlignStart, kAlignMiddle, g.LegendFontColor,
                  g.LegendFont, 0);
        if (data.DataLineStyle > kLineNone) {
          s.DrawStyle = data.DataLineStyle == kLineSolid ? LineKind::Solid : LineKind::Dot;
          s.DrawWidth = std::max<int>(1, data.DataLineThickness);
          s.ForeColor = data.DataLineColor;
          s.Line(sampleX - 3 * mmX, rowY, sampleX + 3 * mmX, rowY);
        }
        if (data.PointCount >= 1) {
          const ItemView item(g, i, nullptr, state.UnitsPerMmX, state.UnitsPerMmY);
          DataPoint(n, s, item, data.DataSymbol, sampleX, rowY, data.DataSymbolSize, true, 0, 0);
        }
        s.DrawStyle = LineKind::Solid;
        SetLineColor(n, s, 0);
      }
    }
    // Keep the table's pixels for dragging; they are always taken from Picture1.
    Surface& keep = d.ScratchPic1;
    Surface& shown = d.Picture1;
    keep.Move(0, 0, g.LegendRectWidth, g.LegendRectHeight);
    keep.BitBlt(0, 0, shown.PixelX(keep.Width()) + 2, shown.PixelY(keep.Height()) + 2, shown,
                shown.PixelX(g.LegendRectLeft), shown.PixelY(g.LegendRectTop));
  });
}

void LegendPosition(ControlState& state, ErrorReporter& r, int16_t GraphIndex, int32_t Left, int32_t Top) {
  Guarded(r, "LegendPosition", [&] {
    GraphRecord& g = state.Graph(GraphIndex);
    g.LegendRectLeft = Left;
    g.LegendRectTop = Top;
  });
}

}  // namespace plotara
