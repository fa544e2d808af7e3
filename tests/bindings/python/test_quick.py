"""The quick interface: a chart of arrays with titles and a legend in a few lines; and the examples."""
import os
import shutil
import subprocess
import sys

import numpy
import pytest

import plotara
from plotara import quick
from conftest import picture_of


def test_a_line_and_a_scatter_chart_with_titles_and_legend(tmp_path):
    x = numpy.linspace(0, 10, 200)
    chart = plotara.Chart(width=400, height=300, title="Signal", xlabel="t [s]", ylabel="V", vector=True)
    chart.line(x, numpy.sin(x), label="measured", color="red", width=2)
    chart.scatter(x[::20], numpy.cos(x[::20]), label="samples", marker="diamond", color=(0, 0, 255))
    chart.bar([2, 4, 6], [0.5, -0.5, 0.25], label="bars", color="#20a040")
    c = chart.control
    assert c.GetGraphNames()[0][1] == "Signal"
    assert c.ReadableLabels is True and plotara.Chart(readable=False).control.ReadableLabels is False
    assert c.GetDataSetNames() == (["measured", "samples", "bars", ""], 3)
    c.SetSelectedData(0)
    assert (c.DataSymbol, c.DataLineStyle, c.DataLineThickness, c.DataLineColor) == (0, 1, 2, quick.color_value("red"))
    c.SetSelectedData(1)
    assert (c.DataSymbol, c.DataLineStyle, c.DataSymbolColor) == (5, 0, plotara.rgb(0, 0, 255))
    c.SetSelectedData(2)
    assert (c.DataSymbol, c.DataSymbolColor) == (1, plotara.rgb(0x20, 0xA0, 0x40))
    svg = chart._repr_svg_()
    assert svg.startswith("<?xml") and "<path" in svg and svg.count("<path") == chart.to_bytes("svg").count(b"<path")
    chart.save(tmp_path / "signal.pdf")
    if shutil.which("pdftotext"):
        text = subprocess.run(["pdftotext", str(tmp_path / "signal.pdf"), "-"], capture_output=True, text=True).stdout
        for words in ("Signal", "t [s]", "measured", "samples"):
            assert words in text


def test_without_titles_nothing_is_labelled():
    chart = plotara.Chart(width=200, height=150, legend=False, antialias=False)
    chart.line([1, 2, 3], [3, 1, 2])
    c = chart.control
    assert (c.GraphShowTitle, c.LegendShow) == (False, False)
    c.SelectXaxis(1)
    assert c.AxisShowTitle is False
    assert c.GetDataSetNames()[0][0] == "series 1" and c.DataInLegendTable is False
    # The line is drawn, in the automatic style's colour (0x00BBGGRR; pixels are 0x00RRGGBB).
    chart.to_bytes()
    v = c.DataLineColor
    assert (v & 0xFF) << 16 | v & 0xFF00 | v >> 16 in set(picture_of(c))


def test_times_make_the_x_axis_a_time_axis():
    hours = numpy.arange("2026-03-29T00", "2026-03-30T00", dtype="datetime64[h]")
    chart = plotara.Chart(width=400, height=300, antialias=False).line(hours, numpy.arange(24) % 7)
    c = chart.control
    c.SelectXaxis(1)
    assert c.AxisTime is True
    chart.to_bytes()
    assert (c.AxisViewValue1, c.AxisViewValue2) == (1774742400, 1774828800)  # the day, midnight to midnight
    numbers = plotara.Chart().line([1, 2], [3, 4]).control
    numbers.SelectXaxis(1)
    assert numbers.AxisTime is False


@pytest.mark.parametrize("colour, value", [
    ("red", plotara.rgb(220, 30, 30)), ("Blue", plotara.rgb(30, 80, 220)), ("#ff8000", plotara.rgb(255, 128, 0)),
    ((1, 2, 3), 0x030201), (0x123456, 0x123456),
])
def test_colours_by_name_hex_triple_or_value(colour, value):
    assert quick.color_value(colour) == value


@pytest.mark.parametrize("bad", ["reddish", "#12345", "#gg0000", (256, 0, 0), -1, 0x1000000])
def test_unknown_colours_are_refused(bad):
    with pytest.raises(ValueError):
        quick.color_value(bad)


def test_unknown_marker_and_style_are_refused():
    chart = plotara.Chart(width=200, height=150)
    with pytest.raises(ValueError, match="marker"):
        chart.scatter([1], [1], marker="star")
    with pytest.raises(ValueError, match="line style"):
        chart.line([1], [1], style="dashdot")


def test_show_without_a_display_writes_the_chart_and_says_where(monkeypatch):
    monkeypatch.delenv("DISPLAY", raising=False)
    monkeypatch.delenv("WAYLAND_DISPLAY", raising=False)
    chart = plotara.Chart(width=200, height=150, title="shown")
    chart.line([1, 2], [2, 1])
    with pytest.warns(UserWarning, match="no display"):
        path = chart.show()
    try:
        with open(path, "rb") as f:
            assert f.read() == chart.to_bytes("png")
    finally:
        os.remove(path)


def test_rgb_is_the_controls_colour_order():
    assert (plotara.rgb(255, 0, 0), plotara.rgb(1, 2, 3)) == (0x0000FF, 0x030201)
    with pytest.raises(ValueError):
        plotara.rgb(256, 0, 0)


@pytest.mark.parametrize("example", ["sales.py", "quick.py"])
def test_the_examples_draw_their_charts(source_dir, tmp_path, example):
    out = tmp_path / "chart.png"
    subprocess.run([sys.executable, str(source_dir / "examples/python" / example), str(out)], check=True,
                   capture_output=True, cwd=tmp_path)
    assert out.read_bytes().startswith(b"\x89PNG")
