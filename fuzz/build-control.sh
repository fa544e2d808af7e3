#!/bin/sh
# Builds the control's fuzz targets (script_fuzz, calls_fuzz, capi_fuzz) with clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer. The libraries are built by CMake in build-fuzz/libs with the same
# sanitizers (fuzzer-no-link for coverage); the targets are linked beside them in build-fuzz/.
# The same libraries give build-fuzz/libs/libplotara.so.1 for the Python module's driver (py_fuzz.py).
# Usage: fuzz/build-control.sh [TARGET...]   (default: script_fuzz calls_fuzz capi_fuzz)
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-fuzz"
libs="$out/libs"
CXX="${CXX:-clang++}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -O1 -g"
if [ ! -f "$libs/CMakeCache.txt" ]; then
  CXX="$CXX" cmake -S "$root" -B "$libs" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$flags"
fi
cmake --build "$libs" --target plotara_host plotara_c plotara_shared -j2
targets="${*:-script_fuzz calls_fuzz capi_fuzz}"
for t in $targets; do
  "$CXX" -std=c++20 -g -O1 -Wall -Wextra \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" -I"$root/src" -I"$root/include" \
    "$root/fuzz/$t.cpp" \
    "$libs/bindings/libplotara_c.a" "$libs/hosts/cli/libplotara_host.a" "$libs/src/libplotara_control.a" "$libs/src/libplotara_picker.a" "$libs/src/libplotara_interact.a" \
    "$libs/src/libplotara_render.a" "$libs/src/libplotara_scale.a" "$libs/src/libplotara_model.a" \
    "$libs/src/libplotara_gradient.a" "$libs/src/libplotara_surface.a" "$libs/src/libplotara_expr.a" \
    "$libs/src/libplotara_platform.a" \
    $(pkg-config --libs cairo cairo-ft fontconfig freetype2) -ldate-tz \
    -o "$out/$t"
  echo "built $out/$t"
done
