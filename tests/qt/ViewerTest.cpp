// The viewer: a script into a window, run again when its file changes, and the program's screenshot.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <fstream>

#include "QtTesting.h"
#include "ViewerWindow.h"

namespace plotara::qt {
namespace {

void Write(const QString& path, const std::string& text) {
  std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << text;
}

QStringList GraphNames(PlotaraWidget& w) {
  QVariantList args;
  w.invoke("GetGraphNames", args);
  QStringList names = args.value(0).toStringList();
  names.removeAll(QString());
  return names;
}

TEST(Viewer, RunsTheScriptAndRunsItAgainWhenTheFileChanges) {
  QTemporaryDir dir;
  const QString script = dir.filePath("chart.plotara");
  Write(script, "Size 400, 300\nNewGraph \"first\", 0, 1, 0, 1\nRefresh\n");
  ViewerWindow viewer(script, {});
  viewer.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
  EXPECT_EQ(viewer.lastStatus(), kScriptOk);
  EXPECT_EQ(GraphNames(*viewer.chart()), QStringList{"first"});
  EXPECT_EQ(viewer.chart()->control().Picture1().Width, 400);
  EXPECT_EQ(viewer.chart()->control().Picture1().Height, 300);

  // The window's Copy puts the picture on the system clipboard.
  QGuiApplication::clipboard()->clear();
  QAction* copy = nullptr;
  for (QAction* a : viewer.findChildren<QAction*>())
    if (a->text() == "Copy") copy = a;
  ASSERT_TRUE(copy);
  copy->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(400, 300));

  QSignalSpy loaded(&viewer, &ViewerWindow::loaded);
  Write(script, "Size 400, 300\nNewGraph \"second\", 0, 1, 0, 1\nNewGraph \"third\"\nRefresh\n");
  ASSERT_TRUE(loaded.wait(5000)) << "no reload after the change";
  EXPECT_EQ(GraphNames(*viewer.chart()), (QStringList{"second", "third"}))
      << "a new control, not the old one";

  // An editor that replaces the file instead of writing it: still watched.
  loaded.clear();
  const QString other = dir.filePath("new.plotara");
  Write(other, "NewGraph \"fourth\"\n");
  ASSERT_TRUE(QFile::remove(script) && QFile::rename(other, script));
  ASSERT_TRUE(loaded.wait(5000));
  EXPECT_EQ(GraphNames(*viewer.chart()), QStringList{"fourth"});
  loaded.clear();
  Write(script, "Bad line (\n");
  ASSERT_TRUE(loaded.wait(5000));
  EXPECT_EQ(viewer.lastStatus(), kScriptSyntaxError);
}

TEST(Viewer, ProgramWritesAScreenshotOfItsWindow) {
  QTemporaryDir dir;
  const QString shot = dir.filePath("shot.png");
  QProcess view;
  view.start(PLOTARA_VIEW, {QStringLiteral(PLOTARA_SOURCE_DIR "/examples/axes.plotara"), "--size", "500x320",
                            "--screenshot", shot});
  ASSERT_TRUE(view.waitForFinished(20000));
  EXPECT_EQ(view.exitCode(), 0) << view.readAllStandardError().toStdString();
  const QImage image(shot);
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 500);
  EXPECT_GE(image.height(), 320);

  view.start(PLOTARA_VIEW, {"--size", "12"});
  ASSERT_TRUE(view.waitForFinished(20000));
  EXPECT_EQ(view.exitCode(), 2);
}

TEST(Viewer, APictureLargerThanTheControlMakesIsRefused) {
  QTemporaryDir dir;
  const QString shot = dir.filePath("shot.png");
  QProcess view;
  view.start(PLOTARA_VIEW, {QStringLiteral(PLOTARA_SOURCE_DIR "/examples/axes.plotara"), "--size",
                            "20000x20000", "--screenshot", shot});
  ASSERT_TRUE(view.waitForFinished(20000));
  EXPECT_EQ(view.exitCode(), 1);
  EXPECT_TRUE(view.readAllStandardError().contains("is too large"));
  EXPECT_FALSE(QFileInfo::exists(shot)) << "no window onto a stand-in picture";
}

// What a file holds, as pdftotext reads it, or "" for no PDF.
QString PdfText(const QString& pdf) {
  QProcess tool;
  tool.start("pdftotext", {pdf, "-"});
  return tool.waitForFinished(10000) && tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput())
                                                             : QString();
}

class ViewerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
  }
  QAction* Action(const QString& text) {
    for (QAction* a : viewer.findChildren<QAction*>())
      if (a->text().remove('&') == text) return a;
    ADD_FAILURE() << "no action " << text.toStdString();
    return nullptr;
  }
  static QString Written(const QString& path, const std::string& text) {
    Write(path, text);
    return path;
  }
  QTemporaryDir dir;
  QString script = Written(dir.filePath("sales.plotara"),
                           "Size 400, 300\nNewGraph \"Quarterly\", 0, 4, 0, 10\nNewDataSet \"sold\"\n"
                           "AddDataPoint 1, 5\nRefresh\n");
  ViewerWindow viewer{script, {}};
};

TEST_F(ViewerFiles, SaveAsWritesEachFormatByItsName) {
  const struct {
    const char* name;
    QByteArray start;
  } formats[] = {{"chart.png", "\x89PNG"}, {"chart.svg", "<?xml"}, {"chart.pdf", "%PDF"}};
  for (const auto& f : formats) {
    const QString path = dir.filePath(f.name);
    EXPECT_TRUE(viewer.saveAs(path)) << f.name;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << f.name;
    EXPECT_TRUE(file.read(8).startsWith(f.start)) << f.name;
  }
  EXPECT_EQ(QImage(dir.filePath("chart.png")).size(), QSize(400, 300));
  EXPECT_TRUE(PdfText(dir.filePath("chart.pdf")).contains("Quarterly")) << "text stays text";
  EXPECT_FALSE(viewer.saveAs(dir.filePath("chart.bmp")));
  EXPECT_TRUE(viewer.statusBar()->currentMessage().contains("chart.bmp"));
}

TEST_F(ViewerFiles, PrintToAFileThroughTheDialog) {
  const QString pdf = dir.filePath("printed.pdf");
  test::WhenModal<QPrintDialog>([&](QPrintDialog* d) {
    auto* file = d->findChild<QLineEdit*>("filename");
    ASSERT_TRUE(file) << "the dialog has no output file";
    file->setText(pdf);
    d->accept();
  });
  Action("Print...")->trigger();
  EXPECT_TRUE(PdfText(pdf).contains("Quarterly")) << "no PDF with the chart's text";
}

TEST_F(ViewerFiles, TheWheelAndTheKeysNavigateTheChart) {
  PlotaraWidget& chart = *viewer.chart();
  QSignalSpy views(&chart, &PlotaraWidget::viewChanged);
  const QPoint centre = test::GeometryOf(chart).AtPlot(0.5, 0.5);
  QWheelEvent notches(centre, chart.mapToGlobal(centre), {}, {0, 4 * 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
  QApplication::sendEvent(&chart, &notches);
  EXPECT_NEAR(test::ViewOf(chart).x2 - test::ViewOf(chart).x1, 2, 1e-4) << "four notches halve 0 .. 4";
  viewer.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
  QTest::mouseClick(&chart, Qt::LeftButton, {}, test::GeometryOf(chart).AtPlot(0.9, 0.9));  // the focus
  ASSERT_TRUE(QTest::qWaitFor([&] { return chart.hasFocus(); }, 2000));
  QTest::keyClick(&chart, Qt::Key_Minus);
  EXPECT_NEAR(test::ViewOf(chart).x2 - test::ViewOf(chart).x1, 4, 1e-4) << "- zooms out by 2";
  QTest::keyClick(&chart, Qt::Key_Plus);
  QTest::keyClick(&chart, Qt::Key_Left);
  EXPECT_LT(test::ViewOf(chart).x1, 1);
  QTest::keyClick(&chart, Qt::Key_Escape);
  EXPECT_EQ(test::ViewOf(chart).x1, 0);
  EXPECT_EQ(test::ViewOf(chart).x2, 4);
  EXPECT_EQ(views.count(), 5);
  EXPECT_EQ(test::DifferingPixels(chart), 0);
}

TEST_F(ViewerFiles, AScriptDroppedOntoTheWindowIsOpened) {
  const QString other = dir.filePath("other.plotara");
  Write(other, "NewGraph \"dropped\"\nRefresh\n");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(other)});
  const QPoint at = viewer.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&viewer, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&viewer, &drop);
  EXPECT_EQ(viewer.path(), other);
  EXPECT_EQ(GraphNames(*viewer.chart()), QStringList{"dropped"});
  QSignalSpy loaded(&viewer, &ViewerWindow::loaded);
  Write(other, "NewGraph \"changed\"\n");
  ASSERT_TRUE(loaded.wait(5000)) << "the dropped script is watched";

  QMimeData text;
  text.setText("not a file");
  QDragEnterEvent refused(at, Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(&viewer, &refused);
  EXPECT_FALSE(refused.isAccepted());
}

// --help, --version and a usage error are answered before the window system is reached.
TEST(Viewer, TheCommandLineIsReadWithoutADisplay) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  env.insert("QT_QPA_PLATFORM", "xcb");
  const struct {
    QStringList args;
    int status;
    const char* out;
  } cases[] = {{{"--help"}, 0, "usage: plotara-view SCRIPT"},
               {{"-platform", "xcb", "-h"}, 0, "--screenshot OUT.png"},
               {{"--version"}, 0, "plotara-view 1."},
               {{"--bogus"}, 2, "unknown option '--bogus'"},
               {{}, 2, "no script given"}};
  for (const auto& c : cases) {
    QProcess view;
    view.setProcessEnvironment(env);
    view.start(PLOTARA_VIEW, c.args);
    ASSERT_TRUE(view.waitForFinished(20000));
    EXPECT_EQ(view.exitCode(), c.status) << c.args.join(' ').toStdString();
    const QString said = QString::fromUtf8(view.readAllStandardOutput() + view.readAllStandardError());
    EXPECT_TRUE(said.contains(c.out)) << said.toStdString();
  }
}

}  // namespace
}  // namespace plotara::qt
