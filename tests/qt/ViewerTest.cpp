// The viewer: a script into a window, run again when its file changes, and the program's screenshot.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

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

}  // namespace
}  // namespace plotara::qt
