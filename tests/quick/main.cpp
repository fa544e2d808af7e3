// PlotaraItem's tests run with a QGuiApplication on the X server that tools/with-xvfb started.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "plotara/qt/PlotaraItem.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  QGuiApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    fprintf(stderr, "tests_quick: run in an X server (tools/with-xvfb), not on '%s'\n",
            qPrintable(QGuiApplication::platformName()));
    return 1;
  }
  plotara::qt::RegisterQmlModule();
  return RUN_ALL_TESTS();
}
