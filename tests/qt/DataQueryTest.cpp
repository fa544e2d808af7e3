// A database table behind a PlotaraWidget: its rows come on a thread of the widget's own while the window
// goes on working, and the picture they make is the one drawn from the same rows in memory.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>

#include "QtTesting.h"
#include "sources/SourceRows.h"

namespace plotara::qt {
namespace {

using plotara::test::Rows;

// A scratch SQLite file with table samples (t, v) of a noisy walk, large enough that a view's query takes
// a noticeable time.
class SlowTable {
 public:
  SlowTable(const std::string& name, size_t rows)
      : rows_(plotara::test::WalkRows(rows)),
        // Named after the process: other test runs on the machine may use the same scratch folder.
        path_((std::filesystem::path(::testing::TempDir()) /
               (name + "-" + std::to_string(QCoreApplication::applicationPid()) + ".db"))
                  .string()) {
    std::filesystem::remove(path_);
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE samples (t REAL, v REAL); BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO samples VALUES (?, ?)", -1, &insert, nullptr);
    for (const auto& [x, y] : rows_) {
      sqlite3_bind_double(insert, 1, x);
      sqlite3_bind_double(insert, 2, y);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  ~SlowTable() { std::filesystem::remove(path_); }
  SlowTable(const SlowTable&) = delete;
  SlowTable& operator=(const SlowTable&) = delete;

  void Execute(const char* sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  }
  std::string Connection() const { return "sqlite:" + path_; }
  const Rows& rows() const { return rows_; }

 private:
  Rows rows_;
  std::string path_;
};

// The large table is built once: that takes a few seconds.
const SlowTable& Table() {
  static const SlowTable table("widget-query", 1'000'000);
  return table;
}

// The widget's chart of the table, the same chart drawn from the rows in memory beside it.
struct Charts {
  PlotaraWidget widget;
  Plotara memory{widget.dpi()};
  Charts() {
    widget.resize(640, 480);
    widget.show();
    (void)QTest::qWaitForWindowExposed(&widget, 5000);
    for (Plotara* p : {&widget.control(), &memory}) plotara::test::SourceGraph(*p, false, 1);
    for (const auto& [x, y] : Table().rows()) memory.AddDataPoint(x, y);
    widget.control().DataQuery(Table().Connection(), "samples");
    const PictureView pic = widget.control().Picture1();
    memory.ResizePicture(pic.Width, pic.Height);
  }
  // A wheel notch over the plot with Shift (X alone), on the widget as the X server delivers it.
  void Wheel(QPoint at) {
    QWheelEvent event(at, widget.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ShiftModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
    memory.Wheel(static_cast<float>(at.x() * kTwipsPerLogicalPixel),
                 static_cast<float>(at.y() * kTwipsPerLogicalPixel), 120, 1);
  }
  // Waits for the rows while a timer runs in the event loop; the number of times it fired.
  int WaitForRows() {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !widget.waitingForData(); }, 30000)) << "the rows never came";
    return ticks;
  }
  int Differences() {
    memory.Refresh();
    return test::DifferingPixels(ImageOf(memory.Picture1()), widget.control().Picture1());
  }
  static QImage ImageOf(const PictureView& pic) {
    return QImage(reinterpret_cast<const uchar*>(pic.Pixels), pic.Width, pic.Height,
                  static_cast<qsizetype>(pic.StridePixels) * 4, QImage::Format_RGB32)
        .copy();
  }
};

// The pixels of the data line (blue) in a picture.
int LinePixels(const PictureView& pic) {
  int n = 0;
  for (int y = 0; y < pic.Height; ++y)
    for (int x = 0; x < pic.Width; ++x) n += (pic.Pixels[y * pic.StridePixels + x] & 0xFFFFFF) == 0x0000FF;
  return n;
}

TEST(WidgetDataQuery, TheWindowKeepsWorkingWhileRowsComeAndTheyDrawAsFromMemory) {
  Charts charts;
  charts.widget.invoke("Refresh");
  EXPECT_TRUE(charts.widget.waitingForData());
  QElapsedTimer took;
  took.start();
  const int ticks = charts.WaitForRows();
  EXPECT_GE(ticks, 3) << "the event loop ran while the first view's query did (" << took.elapsed() << " ms)";
  EXPECT_GT(LinePixels(charts.widget.control().Picture1()), 500);
  EXPECT_EQ(charts.Differences(), 0) << "full view";

  // Two zooms in quick succession: the picture shown stays until the rows of the second arrive.
  const QImage before = Charts::ImageOf(charts.widget.control().Picture1());
  const test::Geometry at = test::GeometryOf(charts.widget);
  charts.Wheel(at.AtPlot(0.3, 0.5));
  charts.Wheel(at.AtPlot(0.6, 0.5));
  EXPECT_TRUE(charts.widget.waitingForData());
  EXPECT_EQ(test::DifferingPixels(before, charts.widget.control().Picture1()), 0) << "the last picture stays";
  charts.WaitForRows();
  EXPECT_EQ(charts.Differences(), 0) << "zoomed twice";
}

TEST(WidgetDataQuery, AQueryThatFailsOnTheThreadIsReportedAndTheLastPictureStays) {
  SlowTable table("widget-failing-query", 20'000);
  PlotaraWidget widget;
  widget.resize(640, 480);
  widget.show();
  (void)QTest::qWaitForWindowExposed(&widget, 5000);
  plotara::test::SourceGraph(widget.control(), false, 1);
  widget.control().DataQuery(table.Connection(), "SELECT t, v FROM samples");
  widget.invoke("Refresh");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !widget.waitingForData(); }, 30000));
  const QImage drawn = Charts::ImageOf(widget.control().Picture1());

  QSignalSpy errors(&widget, &PlotaraWidget::errorMsg);
  table.Execute("DROP TABLE samples");
  const QPoint centre = test::GeometryOf(widget).AtPlot(0.5, 0.5);
  QWheelEvent event(centre, widget.mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.isEmpty(); }, 30000)) << "no error came";
  EXPECT_NE(errors.front().at(1).toString().indexOf("no such table"), -1)
      << errors.front().at(1).toString().toStdString();
  EXPECT_FALSE(widget.waitingForData()) << "a failed question is not asked again and again";
  QApplication::processEvents();
  EXPECT_EQ(errors.size(), 1);
  EXPECT_GT(test::DifferingPixels(drawn, widget.control().Picture1()), 0) << "the zoom is drawn";
  EXPECT_GT(LinePixels(widget.control().Picture1()), 100) << "with the rows of the last view";
}

}  // namespace
}  // namespace plotara::qt
