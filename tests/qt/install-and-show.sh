#!/bin/sh
# Installs the built tree into a scratch prefix, then builds the Qt examples outside the tree against it:
# examples/qt (a QMainWindow around PlotaraWidget) with find_package(Plotara COMPONENTS Qt), shared and
# static, and with pkg-config (plotara-qt); examples/quick (QML with `import Plotara`) with
# find_package(Plotara COMPONENTS Quick). Runs each in an X server of its own and checks that its window
# shows the chart (its data line, #0000C0, in the screenshot).
# Usage: install-and-show.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
src=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/plotara-qt-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
for f in lib/libplotara_qt.so lib/libplotara_qt.a include/plotara/qt/PlotaraWidget.h include/plotara/qt/PlColorsDialog.h \
         lib/cmake/Plotara/PlotaraQtTargets.cmake lib/pkgconfig/plotara-qt.pc bin/plotara-view \
         lib/libplotara_quick.so include/plotara/qt/PlotaraItem.h lib/cmake/Plotara/PlotaraQuickTargets.cmake; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done
soname=$(objdump -p "$prefix/lib/libplotara_qt.so" | awk '/SONAME/ {print $2}')
[ "$soname" = "libplotara_qt.so.1" ] || fail "soname is '$soname'"

shows_chart() {  # PROGRAM: runs it in an X server; its screenshot must show the data line
  LD_LIBRARY_PATH="$prefix/lib" "$src/tools/with-xvfb" "$1" "$1.png" || fail "$1 did not run"
  python3 "$src/tests/qt/chart-pixels.py" "$1.png" 0000c0 100 || fail "$1 shows no chart"
}

cmake -S "$src/examples/qt" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configuring the Qt example"; }
cmake --build "$work/cmake" -j 2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "building the Qt example"; }
ldd "$work/cmake/sales_window" | grep -q "$prefix/lib/libplotara_qt.so.1" || fail "sales_window does not use the installed libplotara_qt"
if ldd "$work/cmake/sales_window_static" | grep -q libplotara; then fail "sales_window_static loads a Plotara library"; fi
shows_chart "$work/cmake/sales_window"
shows_chart "$work/cmake/sales_window_static"

# pkg-config: Qt's own files give its flags (Qt wants position-independent code).
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
g++ -std=c++20 -fPIC "$src/examples/qt/sales_window.cpp" $(pkg-config --cflags --libs plotara-qt) -o "$work/pc_window" \
  || fail "g++ with pkg-config plotara-qt"
shows_chart "$work/pc_window"

cmake -S "$src/examples/quick" -B "$work/quick" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  >"$work/quick-configure.log" 2>&1 || { cat "$work/quick-configure.log"; fail "configuring the QML example"; }
cmake --build "$work/quick" -j 2 >"$work/quick-build.log" 2>&1 || { cat "$work/quick-build.log"; fail "building the QML example"; }
ldd "$work/quick/quick_sales" | grep -q "$prefix/lib/libplotara_quick.so.1" || fail "quick_sales does not use the installed libplotara_quick"
shows_chart "$work/quick/quick_sales"
echo "installed into a scratch prefix; the Qt example built with CMake (shared and static) and pkg-config, the QML example with CMake, and each showed its chart"
