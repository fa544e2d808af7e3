#!/bin/sh
# Builds the expression fuzzer with clang, libFuzzer and AddressSanitizer + UndefinedBehaviorSanitizer.
# Usage: fuzz/build.sh [OUTPUT]   (default: build-fuzz/expr_fuzz)
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-fuzz/expr_fuzz}"
mkdir -p "$(dirname "$out")"
CXX="${CXX:-clang++}"
"$CXX" -std=c++20 -g -O1 -Wall -Wextra \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" -I"$root/include" \
  "$root/fuzz/expr_fuzz.cpp" "$root"/src/expr/*.cpp \
  "$root/src/platform/RuntimeError.cpp" "$root/src/platform/Conversions.cpp" "$root/src/platform/NumberScan.cpp" \
  -o "$out"
echo "built $out"
