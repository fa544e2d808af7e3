#!/bin/sh
# Installs the built tree into a scratch prefix, then builds programs outside the tree against it: with
# find_package(Plotara) (shared, static, and from C) and with pkg-config and g++/gcc; runs each and checks
# the picture it writes; runs the installed command and the installed Python module.
# Usage: install-and-consume.sh BUILD_DIR SOURCE_DIR [PYTHON]
set -eu
build=$1
src=$2
python=${3:-python3}
work=$(mktemp -d "${TMPDIR:-/tmp}/plotara-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAILED: $*" >&2; exit 1; }
is_png() { [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = "211PNG" ] || fail "$1 is not a PNG picture"; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
for f in lib/libplotara.so lib/libplotara.a include/plotara/Plotara.h include/plotara/plotara_c.h \
         lib/cmake/Plotara/PlotaraConfig.cmake lib/pkgconfig/plotara.pc bin/plotara share/man/man1/plotara.1; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done
soname=$(objdump -p "$prefix/lib/libplotara.so" | awk '/SONAME/ {print $2}')
[ "$soname" = "libplotara.so.1" ] || fail "soname is '$soname'"

# find_package(Plotara), from a build folder outside the tree.
cmake -S "$src/examples/cmake" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configuring the CMake consumer"; }
cmake --build "$work/cmake" -j 2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "building the CMake consumer"; }
for p in sales sales_static sales_c; do
  "$work/cmake/$p" "$work/$p.png" >/dev/null || fail "$p"
  is_png "$work/$p.png"
done
ldd "$work/cmake/sales" | grep -q "$prefix/lib/libplotara.so.1" || fail "sales does not use the installed shared library"
if ldd "$work/cmake/sales_static" | grep -q libplotara; then fail "sales_static loads libplotara.so"; fi

# A project with its own PkgConfig::CAIRO (cairo alone) beside the package, which must not take it over.
cmake -S "$src/tests/bindings/own-cairo" -B "$work/own" -DCMAKE_PREFIX_PATH="$prefix" \
  >"$work/own-configure.log" 2>&1 || { cat "$work/own-configure.log"; fail "configuring the project with its own cairo target"; }
cmake --build "$work/own" -j 2 >"$work/own-build.log" 2>&1 || { cat "$work/own-build.log"; fail "building the project with its own cairo target"; }
for p in own_cairo_static own_cairo_shared; do
  "$work/own/$p" "$work/$p.png" >/dev/null || fail "$p"
  is_png "$work/$p.png"
done
if grep -v '^ *#' "$prefix/lib/cmake/Plotara/"*.cmake | grep -q 'PkgConfig::'; then fail "the package names a generic PkgConfig:: target"; fi

# pkg-config with g++ and gcc.
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
[ "$(pkg-config --modversion plotara)" = "$(sed -n 's/^Version: //p' "$prefix/lib/pkgconfig/plotara.pc")" ] || fail "pkg-config"
g++ -std=c++20 "$src/examples/cpp/sales.cpp" $(pkg-config --cflags --libs plotara) -o "$work/pc_cpp" || fail "g++ with pkg-config"
gcc "$src/examples/c/sales.c" $(pkg-config --cflags --libs plotara) -o "$work/pc_c" || fail "gcc with pkg-config"
g++ -std=c++20 "$src/examples/cpp/sales.cpp" $(pkg-config --cflags plotara) -Wl,-Bstatic -lplotara -Wl,-Bdynamic \
  $(pkg-config --static --libs plotara | sed 's/-lplotara//') -o "$work/pc_static" || fail "g++ with pkg-config --static"
if ldd "$work/pc_static" | grep -q libplotara; then fail "pc_static loads libplotara.so"; fi
for p in pc_cpp pc_c pc_static; do
  LD_LIBRARY_PATH="$prefix/lib" "$work/$p" "$work/$p.png" >/dev/null || fail "$p"
  is_png "$work/$p.png"
done

# The installed command and Python module: the module where python3 looks under the prefix (for
# /usr/local, one of its own folders), with its stub; it finds the installed library.
"$prefix/bin/plotara" --version | grep -q "^plotara " || fail "plotara --version"
site=$("$python" "$src/bindings/python/site-dir.py" "$prefix")
for f in __init__.py control.py control.pyi py.typed; do
  [ -e "$prefix/$site/plotara/$f" ] || fail "$site/plotara/$f was not installed"
done
local_site=/usr/local/$("$python" "$src/bindings/python/site-dir.py" /usr/local)
"$python" -c "import sys; sys.exit('$local_site' not in sys.path)" || fail "$local_site is not on python3's path"
cd "$work" && env -u PLOTARA_LIBRARY PYTHONPATH="$prefix/$site" "$python" -c \
  'import plotara; c = plotara.Control(width=320, height=200); c.NewGraph("x"); c.Refresh(); c.save("py.png")' \
  || fail "the installed Python module"
is_png "$work/py.png"
echo "installed into a scratch prefix; CMake, pkg-config, C and Python consumers built, linked and drew"
