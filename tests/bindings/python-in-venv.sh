#!/bin/sh
# Builds the wheel from the built library, installs it into a fresh virtual environment (with the
# system's site packages, so that Debian's numpy, pandas and pytest are there, and nothing from the
# network) and runs the Python tests there with pytest, from outside the source tree: they test the
# installed package and the library it carries.
# Usage: python-in-venv.sh LIBRARY SOURCE_DIR [PYTHON]
set -eu
library=$1
src=$2
python=${3:-python3}
work=$(mktemp -d "${TMPDIR:-/tmp}/plotara-venv.XXXXXX")
trap 'rm -rf "$work"' EXIT
sh "$src/bindings/python/make-wheel.sh" "$library" "$work/dist" "$python" >/dev/null
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --quiet --no-index "$work"/dist/plotara-*.whl
cd "$work"
unset PLOTARA_LIBRARY PYTHONPATH
PLOTARA_SOURCE_DIR=$src PYTHONDONTWRITEBYTECODE=1 \
  "$work/venv/bin/python" -m pytest -q -p no:cacheprovider "$src/tests/bindings/python"
