// The control's page painter (plotara/PagePainter.h) on a QPainter: what printing hands a printer, a print
// preview or any other paint device, with the text set by Qt as text. Inline, as QtHost.h.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <span>

#include "plotara/PagePainter.h"

namespace plotara::qt::host {

class QtPagePainter final : public PagePainter {
 public:
  // Paints in the painter's current coordinates, one unit a page pixel.
  explicit QtPagePainter(QPainter& painter) : p_(painter) {}

  void Save() override { p_.save(); }
  void Restore() override { p_.restore(); }
  void Translate(double dx, double dy) override { p_.translate(dx, dy); }
  void Clip(double x0, double y0, double x1, double y1) override {
    p_.setClipRect(QRectF(x0, y0, x1 - x0, y1 - y0), p_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }

  void FillBox(double x0, double y0, double x1, double y1, uint32_t color) override {
    p_.fillRect(QRectF(x0, y0, x1 - x0, y1 - y0), Rgb(color));
  }
  void StrokeLine(std::span<const PagePoint> points, bool closed, double width, bool dotted,
                  uint32_t color) override {
    if (points.empty()) return;
    QPen pen(Rgb(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (dotted) {
      // Square dots of one width, a period of six: Qt counts dashes in widths.
      pen.setCapStyle(Qt::FlatCap);
      pen.setDashPattern({1, 5});
    }
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    const QPolygonF polygon = Polygon(points);
    if (polygon.size() == 1) {
      p_.drawPoint(polygon.front());
    } else if (closed) {
      p_.drawPolygon(polygon);
    } else {
      p_.drawPolyline(polygon);
    }
  }
  void FillPolygon(std::span<const PagePoint> points, uint32_t color) override {
    p_.setPen(Qt::NoPen);
    p_.setBrush(Rgb(color));
    p_.drawPolygon(Polygon(points));
  }
  void FillCircle(double cx, double cy, double radius, uint32_t color) override {
    p_.setPen(Qt::NoPen);
    p_.setBrush(Rgb(color));
    p_.drawEllipse(QPointF(cx, cy), radius, radius);
  }
  void StrokeCircle(double cx, double cy, double radius, double width, uint32_t color) override {
    p_.setPen(QPen(Rgb(color), width));
    p_.setBrush(Qt::NoBrush);
    p_.drawEllipse(QPointF(cx, cy), radius, radius);
  }
  void FillGradient(double x0, double y0, double x1, double y1, double fromX, double fromY, double toX,
                    double toY, std::span<const uint32_t> colors) override {
    QLinearGradient ramp(fromX, fromY, toX, toY);
    ramp.setSpread(QGradient::PadSpread);  // the ends held beyond the line
    const double last = static_cast<double>(colors.size() - 1);
    for (size_t i = 0; i < colors.size(); ++i)
      ramp.setColorAt(colors.size() > 1 ? i / last : 0, Rgb(colors[i]));
    p_.fillRect(QRectF(x0, y0, x1 - x0, y1 - y0), ramp);
  }
  void Text(const PageText& text) override {
    QFont font(QString::fromStdString(text.Font.Name));
    // An em of Font.Pixels page units, whatever the device's own resolution.
    const int dpi = p_.device() ? p_.device()->logicalDpiY() : 96;
    font.setPointSizeF(text.Font.Pixels * 72.0 / dpi);
    font.setBold(text.Font.Bold);
    font.setItalic(text.Font.Italic);
    font.setHintingPreference(QFont::PreferNoHinting);  // laid out at the page's scale, not the screen's
    font.setKerning(false);                             // the chart measured the text without
    const QString utf16 = QString::fromUtf8(text.Utf8.data(), static_cast<qsizetype>(text.Utf8.size()));
    p_.save();
    p_.setFont(font);
    p_.setPen(Rgb(text.Color));
    p_.translate(text.X, text.Y);
    if (text.Angle != 0) p_.rotate(-text.Angle);
    // Qt's face may run a little wider or narrower than the one the chart measured: held to the width
    // the chart laid out, so that centred and right-aligned labels stay where they were put.
    const qreal advance = QFontMetricsF(font, p_.device()).horizontalAdvance(utf16);
    if (advance > 0 && text.Advance > 0) p_.scale(std::clamp(text.Advance / advance, 0.8, 1.25), 1);
    p_.drawText(QPointF(0, text.Ascent), utf16);
    p_.restore();
  }

 private:
  static QColor Rgb(uint32_t c) { return QColor::fromRgb(c & 0xFFFFFF); }
  static QPolygonF Polygon(std::span<const PagePoint> points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PagePoint& pt : points) polygon << QPointF(pt.X, pt.Y);
    return polygon;
  }
  QPainter& p_;
};

}  // namespace plotara::qt::host
