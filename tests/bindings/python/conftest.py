"""Shared by the Python tests, which run against the package installed from the wheel in a fresh virtual
environment (tests/bindings/python-in-venv.sh); PLOTARA_SOURCE_DIR names the source tree."""
import os
import pathlib

import pytest

import plotara


@pytest.fixture
def source_dir():
    return pathlib.Path(os.environ["PLOTARA_SOURCE_DIR"])


@pytest.fixture
def chart():
    """A control with one graph and one data set, closed afterwards."""
    c = plotara.Control(width=320, height=240)
    c.NewGraph("g")
    c.NewDataSet("d")
    yield c
    c.close()


def picture_of(c):
    """The picture's pixels as one list of 0x00RRGGBB words, row after row (the top byte is not used)."""
    import struct
    pixels, w, h, stride = c.picture()
    return [v & 0xFFFFFF for row in range(h) for v in struct.unpack_from(f"={w}I", pixels, row * stride)]
