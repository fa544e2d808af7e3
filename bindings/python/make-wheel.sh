#!/bin/sh
# Builds the Python wheel from a built libplotara, offline: a copy of the package in a scratch folder
# (so the source tree stays as it is), then pip with Debian's setuptools and wheel.
# Usage: make-wheel.sh LIBRARY OUTDIR [PYTHON]
set -eu
library=$(realpath "$1")
out=$2
python=${3:-python3}
here=$(dirname "$(realpath "$0")")
stage=$(mktemp -d "${TMPDIR:-/tmp}/plotara-wheel.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cp -r "$here/pyproject.toml" "$here/setup.py" "$here/README.md" "$here/plotara" "$stage/"
find "$stage" -name __pycache__ -prune -exec rm -rf {} +
version=$(sed -n 's/^project(Plotara VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt" |
          awk -F. '{ printf "%d.%d", $1, $2 }')
mkdir -p "$out"
rm -f "$out"/plotara-*.whl
PLOTARA_LIBRARY=$library PLOTARA_VERSION=$version "$python" -m pip wheel --quiet --no-build-isolation --no-deps \
  --no-index -w "$out" "$stage" >"$stage.log" 2>&1 || { cat "$stage.log"; rm -f "$stage.log"; exit 1; }
rm -f "$stage.log"
ls "$out"/plotara-*.whl
