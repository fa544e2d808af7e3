// The Qt tests run with a QApplication on the X server that tools/with-xvfb started.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The HiDpi tests need a screen at twice the resolution; they have their own CTest entry with one.
  if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") && GTEST_FLAG_GET(filter) == "*")
    GTEST_FLAG_SET(filter, "-HiDpi.*");
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    fprintf(stderr, "tests_qt: run in an X server (tools/with-xvfb), not on '%s'\n",
            qPrintable(QGuiApplication::platformName()));
    return 1;
  }
  return RUN_ALL_TESTS();
}
