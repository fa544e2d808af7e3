// Plotara: the charting control as a host sees it. A host creates it, sizes it, drives it through its
// properties and methods and receives its events. Methods never fail to the host: a failure inside one
// is reported through the ErrorMsg event and the method returns normally. Property accessors instead
// throw AutomationError (error 9 for a missing graph, axis or data set, 6 for a value that does not fit).
//
// The control has no thread and no timer of its own: it runs inside the host's calls, on the host's
// user-interface thread. Two controls share nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "plotara/AutomationError.h"
#include "plotara/ChildElements.h"
#include "plotara/DataSource.h"
#include "plotara/Events.h"
#include "plotara/HostServices.h"
#include "plotara/HostTypes.h"
#include "plotara/Navigation.h"
#include "plotara/Properties.h"
#include "plotara/Variant.h"

namespace plotara {

class Control;  // the control's state, behind a pointer
class PickerService;
class PagePainter;  // plotara/PagePainter.h

// How a control draws its picture.
struct PlotaraOptions {
  double Dpi = 96.0;  // dots per inch; twips per pixel = 1440 / dpi
  // Smooth lines, curves, circles and symbols; every position stays that of the aliased picture.
  bool Antialias = false;
  // Keeps the drawing as shapes and text, so that SavePicture writes true vector .svg and .pdf files.
  bool Vector = false;
  // The zlib level of the PNG files SavePicture writes: 0 (none) to 9 (smallest); -1, or any other value,
  // zlib's default (6). Level 1 writes a chart several times faster for a file about a third larger; the
  // pixels are the same at every level.
  int PngCompression = -1;
  // With Vector: the text of an .svg as <text> elements a reader can select and search, each character
  // where its glyph stands in the picture, rather than the glyph outlines that look alike in every viewer.
  bool SvgText = false;
};

// An instant as a value of a time axis (AxisTime): seconds since 1970-01-01 UTC, whole seconds and the
// fraction apart so that nothing below a microsecond is lost. Every member that takes a value on a time
// axis (AxisValue1, AxisScaleStyle, AddText, MathFuncX1, BarBaseValue, ...) takes this.
template <class Duration>
double TimeValue(std::chrono::sys_time<Duration> t) {
  const auto whole = std::chrono::floor<std::chrono::seconds>(t);
  return static_cast<double>(whole.time_since_epoch().count()) +
         std::chrono::duration<double>(t - whole).count();
}

// The page SavePage writes: in twips (1440 an inch, 20 a point). Sizes of 0 take the picture's own.
struct PageLayout {
  double Dpi = 0;  // the resolution of a .png page; 0: the control's
  double PageWidth = 0, PageHeight = 0;
  // Where the chart lies on the page; it is laid out anew at that size. Width 0: the whole page.
  double Left = 0, Top = 0, Width = 0, Height = 0;
};

class Plotara {
 public:
  // A control drawing at the given resolution (dots per inch; twips per pixel = 1440 / dpi).
  explicit Plotara(double dpi = 96.0);
  explicit Plotara(const PlotaraOptions& options);
  ~Plotara();
  Plotara(const Plotara&) = delete;
  Plotara& operator=(const Plotara&) = delete;

  // ---- Lifecycle.
  // The host's client area changed: width and height in twips.
  void Resize(float width, float height);
  // Sizes the client area so that the picture (Picture1) is width x height pixels at the control's
  // resolution: the area is larger by the scroll bar at the right and the strip at the bottom that holds
  // the other scroll bar and the read-out. The picture takes whole pixels. A host that counts logical
  // pixels passes width * kTwipsPerLogicalPixel / TwipsPerPixel().
  void ResizePicture(double width, double height);
  // Forgets all graphs and restores the page fill; the picture stays until the next refresh.
  void Reset();

  // ---- Properties of the control itself.
  bool SuppressRaisingEvents() const;
  void SuppressRaisingEvents(bool value);
  // Labels a reader can read, for every graph: round ticks inside any view (also after zoom and pan and
  // with fixed limits), no label printed over another, Y labels horizontal where they fit. Off at first.
  bool ReadableLabels() const;
  void ReadableLabels(bool value);
  int16_t GraphIndex() const;   // the current graph
  std::string Version() const;  // "1.02"

  // ---- Graphs and axes. Each graph-level method addresses the current graph (GraphIndex).
  void NewGraph(const std::string& GraphName, double x1 = 0, double x2 = 0, double y1 = 0, double y2 = 0);
  void NewXAxis(const std::string& AxisName, double a1 = 0, double a2 = 0);
  void NewYAxis(const std::string& AxisName, double y1 = 0, double y2 = 0);
  void SetSelectedGraph(int16_t GraphIndex);
  int16_t GetSelectedGraph();
  int16_t SelectXaxis(int16_t Index = 1);
  int16_t SelectYaxis(int16_t Index = 1);
  int16_t SetSelectedAxis(int16_t AxisIndex);
  int16_t GetSelectedAxisIndex(int16_t XY);
  void SetSelectedData(int16_t DataIndex);
  void GetSelectedData(int16_t& DataIndex);
  // The lists replace the arrays: entries 0..count (see each method for which entry stays empty).
  void GetAxisNames(std::vector<std::string>& AxisNames, int16_t& NumAxes);
  void GetDataSetNames(std::vector<std::string>& DataSetNames, int16_t& NumDataSets);
  void GetGraphNames(std::vector<std::string>& GraphTitles, int16_t& NumGraphs);

  // ---- Data sets: points, functions and texts go to the last data set of the current graph.
  void NewDataSet(const std::string& Legend, bool InLegendTable = true);
  void AddDataPoint(double X, double Y, double E = 0);
  // AddDataPoint for every X[i], Y[i] (and E[i] where E is given), many times faster than a loop: the
  // arrays are converted a block at a time. GraphScaleChanged is raised once, after the points, when a
  // range grew. Stops at the first point that fails (a value beyond single range: error 6), keeping those
  // before it; X, Y and E of different lengths fail with 5 and add nothing. With SkipMissing, NaN and the
  // infinities mark missing values, as in the C and Python bulk calls: a point whose X or Y is one is left
  // out, an E that is one gives no error bar.
  void AddDataPoints(std::span<const double> X, std::span<const double> Y, std::span<const double> E = {},
                     bool SkipMissing = false);
  // A point at an instant on a time X axis.
  template <class Duration>
  void AddDataPoint(std::chrono::sys_time<Duration> X, double Y, double E = 0) {
    AddDataPoint(TimeValue(X), Y, E);
  }
  void AddMathFunc(const std::string& MathFunc, double Fromx = 0, double Tox = 0);
  void AddText(const std::string& Text, double TextX, double TextY, uint8_t TextOri,
               const std::string& TextFont, int32_t TextColor, int16_t TextAngle, bool TextPercent);

  // ---- Data sets fed by a database. The last data set of the current graph draws the source's rows as
  // its line: each view asks the source for its rows folded to the picture's pixel columns (inside the
  // database: a few numbers per column leave it), so a table of any size draws as fast as its view can be
  // summed, with the pixels of the line through every row. Automatic axes take in the rows' extent now.
  // Connection: "sqlite:PATH" or "postgresql://USER@HOST/DATABASE" (any libpq connection string after
  // "postgresql:"). Query: a SELECT whose first two columns are X and Y, or a table's name; XColumn and
  // YColumn name other columns. A failure (no database, no table, a column that is not a number) is
  // error 3146 with the database's own message, naming the source; a view whose query fails later
  // reports the same and keeps drawing the rows of the last view that had them.
  void DataQuery(const std::string& Connection, const std::string& Query, const std::string& XColumn = "",
                 const std::string& YColumn = "");
  // The same for a source of the host's own (plotara/DataSource.h).
  void UseDataSource(std::shared_ptr<DataSource> source);
  // For a host with threads of its own, so that a slow query never blocks its window: while deferred, a
  // drawing that needs rows a source has not given asks nothing; it keeps the picture shown (Picture1)
  // as it was and notes the question. TakeDataQueries hands the noted questions over: each may run on any
  // thread (one source answers one at a time); when they have run, Refresh draws the view from their
  // answers.
  void DeferDataQueries(bool defer);
  std::vector<std::function<void()>> TakeDataQueries();

  // ---- Drawing. Setters never redraw; these do.
  void Refresh();
  void RefreshCurrentGraph();
  void RefreshGraphs(int16_t WhichIndex, bool LegndOnPic1);

  // ---- Style methods: each sets a group of fields; an argument left at its "not given" value (-1, an
  // empty text, 99 for a gradient style) leaves its field unchanged.
  void AxisStyle(int32_t LineColor = -1, int16_t LineThickness = -1, bool LogScale = false,
                 bool Reverse = false, bool FarSide = false);
  void AxisScaleStyle(double Value1 = 0, double Value2 = 0, const std::string& TextLabels = "",
                      int16_t ScaleStyle = -1, int16_t MajorDivs = -1, int16_t MinorDivs = -1);
  void AxisTitleStyle(const std::string& Title = "", const std::string& Font = "", int32_t FontColor = -1,
                      int32_t Shift = -1, bool Show = true);
  void AxisLabelStyle(const std::string& Font = "", int32_t FontColor = -1, int32_t Shift = 0,
                      float LabelAngle = 0, bool Show = true);
  void AxisGridStyle(int32_t MajorGridColor = -1, int32_t MinorGridColor = -1, bool MajorGridShow = true,
                     bool MinorGridShow = true);
  void AxisTickStyle(int16_t Thickness = -1, float Length = -1, bool Inside = true, bool Outside = false,
                     bool BothEnds = true);
  void GraphPosition(float Left = -1, float Top = -1, float Width = -1, float Height = -1);
  void BorderWidths(float Left = -1, float Top = -1, float Right = -1, float Bottom = -1);
  void PageColors(int32_t Color1 = -1, int32_t Color2 = -1, int16_t GradientAngle = -1, float gShift = -1,
                  int16_t gStyle = 1, bool Transparent = false);
  void PlotAreaColors(int32_t Color1 = -1, int32_t Color2 = -1, int16_t GradientAngle = -1, float gShift = -1,
                      int16_t gStyle = 1, bool Transparent = false);
  void BorderStyle(int32_t Color1 = -1, int32_t Color2 = -1, int16_t GradientAngle = -1, float gShift = -1,
                   int16_t gStyle = 1, bool Transparent = false, float Left = -1, float Top = -1,
                   float Right = -1, float Bottom = -1);
  void GraphTitleStyle(const std::string& Title = "", const std::string& Font = "", int32_t FontColor = -1,
                       int16_t HorizShift = 0, int32_t VerticalShift = 0, bool Show = true);
  void LegendTableStyle(const std::string& Font = "", int32_t FontColor = -1, float LeftPercent = -1,
                        float TopPercent = -1, int32_t EdgeColor = -1, int16_t EdgeThickness = -1,
                        int32_t Color1 = -1, int32_t Color2 = -1, int16_t GradientAngle = -1,
                        float gShift = -1, int16_t gStyle = 1, bool Transparent = false, bool Show = true);
  void SymbolStyle(int16_t Symbol = -1, float Size = -1, int32_t Color1 = -1, int32_t Color2 = -1,
                   int16_t EdgeThickness = -1, bool Bar3D = false, float BarOffset = 0,
                   bool BarShadow = false, bool Stacked = false, bool BarBase = false,
                   double BarBaseValue = 0, bool ShowErrorBar = true);
  void DataLine(int32_t Color = -1, int16_t Thickness = 1, int16_t Style = 1);

  // ---- The gradient picker dialog, shown modally through the host's picker service; the arguments are
  // only written. After "Cancel" the colours are -1, angle and shift 0 and the style 1.
  void GetGradient(int32_t& PlColor1, int32_t& PlColor2, float& gAngle, float& gShift, int16_t& gStyle);
  void GetColor(int32_t& PlColor1);  // shows the picker with style 0 (a single colour)
  // The host's dialog (not owned); without one both methods report error 91 through ErrorMsg.
  void SetPicker(PickerService* picker);

  // ---- Properties of graphs, axes, the legend, the page and data sets (plotara/Properties.h).
  // Integer properties take any integer and raise AutomationError 6 for one their type cannot hold.
#define PLOTARA_DECLARE_ACCESSORS(Name, Type) \
  HostType<VarType::Type> Name() const;       \
  void Name(const SetterType<VarType::Type>& value);
  PLOTARA_PROPERTIES(PLOTARA_DECLARE_ACCESSORS)
#undef PLOTARA_DECLARE_ACCESSORS
  double AxisValue1() const;
  void AxisValue1(double value);
  double AxisValue2() const;
  void AxisValue2(double value);
  // The limits the selected axis shows now: its full range (AxisValue1, AxisValue2) as zoomed and panned.
  double AxisViewValue1() const;
  double AxisViewValue2() const;
  uint8_t AxisScale() const;
  void AxisScale(int64_t value);
  Variant xAxisIndex() const;
  Variant yAxisIndex() const;

  // ---- Events.
  EventHandlers& Events();

  // ---- Interaction. The mouse over Picture1 and the scroll bars, as a window reports them: X and Y are
  // twips of Picture1; Button 1 left, 2 right, 0 none; Shift 0 none, 1 Shift, 2 Ctrl.
  void Picture1_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
  void Picture1_MouseMove(int16_t Button, int16_t Shift, float X, float Y);
  void Picture1_MouseUp(int16_t Button, int16_t Shift, float X, float Y);
  // The user moved a bar's thumb to Value (0..Max): while dragging it (Scroll) or when it settled
  // (Change).
  void HScroll1_Scroll(int32_t Value);
  void HScroll1_Change(int32_t Value);
  void VScroll1_Scroll(int32_t Value);
  void VScroll1_Change(int32_t Value);
  // The pointer shape Picture1 asks for (plotara::pointer in plotara/ChildElements.h).
  int16_t MousePointer() const;
  // Called with the pixels of Picture1 that changed, after each drawing step, so that a window repaints
  // only those.
  void OnPictureChanged(std::function<void(const PixelRect&)> handler);
  // The clipboard CopyToClipboard uses; not owned, null for none.
  void SetClipboard(ClipboardService* clipboard);
  // Shows or hides the coordinate read-out Label1 for the current graph.
  void SetShowXYcoords(bool TF);
  // Puts the picture of Picture1, as last drawn, on the clipboard.
  void CopyToClipboard();

  // ---- Navigation beyond the mouse gestures (plotara/Navigation.h), as a window reports the wheel, the
  // touchpad and the keys: X and Y are twips of Picture1, Shift 1 Shift, 2 Ctrl, 4 Alt, added. Each
  // changes the view of one graph that allows zoom as a rubber band does (within the full range, never
  // narrower than the span MaxZoomFactor allows, a logarithmic axis in log space), draws it again and
  // updates the scroll bars and the read-out; it becomes the current graph. Each returns true when the
  // control took the gesture, so that a host passes on the rest. WheelZoom, PinchZoom, TouchPan and
  // KeyNavigation switch each off.
  // The wheel over a graph's plot area zooms about the pointer: Delta in eighths of a degree (120 a
  // notch, parts of it from a high-resolution wheel; positive zooms in), kWheelNotchFactor a notch;
  // with Shift only the X axes, with Ctrl only the Y axes.
  bool Wheel(float X, float Y, int32_t Delta, int16_t Shift = 0);
  // A pinch over a plot area zooms about (X, Y) by Factor (above 1 zooms in).
  bool Pinch(float X, float Y, double Factor);
  // A two-finger scroll over a plot area pans it: the content follows the fingers by (DX, DY) twips.
  bool Pan(float X, float Y, float DX, float DY);
  // A key pressed while the control has the keyboard focus (plotara::key): on the current graph the
  // arrows pan by the scroll bars' small change, Page Up and Page Down by their large change, + and -
  // zoom by 2 about the middle of the plot area, Home and Escape show the full range; Ctrl+C copies the
  // picture (CopyToClipboard).
  bool KeyDown(int16_t KeyCode, int16_t Shift);
  // The drawn data point nearest (X, Y), within MaxDistance twips, of the front-most graph whose plot
  // area holds (X, Y); Found is false when there is none.
  PointHit NearestPoint(float X, float Y, float MaxDistance) const;
  bool WheelZoom() const;  // true: Wheel zooms
  void WheelZoom(bool value);
  bool PinchZoom() const;  // true: Pinch zooms
  void PinchZoom(bool value);
  bool TouchPan() const;  // true: Pan pans
  void TouchPan(bool value);
  bool KeyNavigation() const;  // true: KeyDown answers the keys
  void KeyNavigation(bool value);

  // ---- What a host shows and lays out.
  PictureView Picture1() const;  // the visible picture, as the last drawing left it
  double TwipsPerPixel() const;  // of the picture: 1440 / dpi
  const LabelElement& Label1() const;
  const ScrollBarElement& HScroll1() const;
  const ScrollBarElement& VScroll1() const;
  // Writes the visible picture to a file; the format follows the extension (.png, .svg, .pdf). Throws
  // AutomationError 75 when the file cannot be written, 5 for an unknown format.
  void SavePicture(const std::string& path) const;
  // Draws the chart as it is now (zoomed and panned as it is) anew on a page of its own and writes it:
  // .pdf and .svg as shapes and text whatever the control draws with, .png as pixels at layout.Dpi. The
  // page is white around the chart. The picture on the screen is drawn again afterwards; no event is
  // raised but ErrorMsg. Throws as SavePicture does.
  void SavePage(const std::string& path, const PageLayout& layout = {});
  // Draws the chart as SavePage does, onto a painter of the host's own (plotara/PagePainter.h) as shapes
  // and text, in pixels at layout.Dpi with the chart's top-left at (layout.Left, layout.Top); the page
  // size is the painter's affair. Throws AutomationError as SavePage does.
  void PaintPage(PagePainter& painter, const PageLayout& layout = {});

 private:
  friend struct PlotaraAccess;  // the tests' and benchmarks' way in (control/Internals.h)
  std::unique_ptr<Control> c_;
};

}  // namespace plotara
