"""A chart in a few lines, the way a matplotlib user writes one, built on the control's own members.

    chart = plotara.Chart(title="Signal", xlabel="t [s]", ylabel="V")
    chart.line(t, v, label="measured")
    chart.scatter(t2, v2, label="samples", marker="diamond", color="red")
    chart.save("signal.png")        # or .svg / .pdf; chart.show(); a notebook shows the chart itself

x values of numpy datetime64 or a pandas DatetimeIndex make the X axis a time axis (dates and times in
UTC; chart.control.AxisTimeZone = "Europe/Berlin" shows them in that zone).

chart.control is the Control underneath, for everything else the interface offers.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import warnings

from ._points import series_index
from .control import Control, rgb

# Symbols of the control by the names (and matplotlib's letters) a user reaches for.
MARKERS = {"none": 0, "bar": 1, "dot": 2, ".": 2, "circle": 3, "o": 3, "square": 4, "s": 4, "diamond": 5, "D": 5,
           "triangle": 6, "^": 6, "triangle_down": 7, "v": 7, "plus": 10, "+": 10, "cross": 11, "x": 11}
COLORS = {"black": (0, 0, 0), "white": (255, 255, 255), "red": (220, 30, 30), "green": (20, 150, 40),
          "blue": (30, 80, 220), "yellow": (230, 200, 0), "cyan": (0, 170, 200), "magenta": (200, 0, 170),
          "gray": (128, 128, 128), "grey": (128, 128, 128), "orange": (255, 140, 0), "purple": (120, 40, 160),
          "brown": (140, 80, 30)}
LINE_STYLES = {"solid": 1, "-": 1, "dotted": 2, ":": 2}


def color_value(color):
    """The control's colour (0x00BBGGRR) of a name ("red"), "#rrggbb", (r, g, b) or such a value itself."""
    if isinstance(color, str):
        if color.startswith("#") and len(color) == 7:
            try:
                return rgb(int(color[1:3], 16), int(color[3:5], 16), int(color[5:7], 16))
            except ValueError:
                pass
        elif color.lower() in COLORS:
            return rgb(*COLORS[color.lower()])
        raise ValueError(f"plotara: unknown colour {color!r} (a name of {', '.join(COLORS)}, or '#rrggbb')")
    if isinstance(color, tuple):
        return rgb(*color)
    if isinstance(color, int) and 0 <= color <= 0xFFFFFF:
        return color
    raise ValueError(f"plotara: unknown colour {color!r}")


def _code(table, value, what):
    if isinstance(value, int):
        return value
    if value in table:
        return table[value]
    raise ValueError(f"plotara: unknown {what} {value!r} (one of {', '.join(map(repr, table))})")


class Chart:
    """One graph with a title, axis titles and a legend, drawn smoothly (antialias) unless told not to,
    with readable labels (round ticks, level Y labels, none printed over another) unless told not to."""

    def __init__(self, width=800, height=600, title="", xlabel="", ylabel="", legend=True, dpi=96,
                 antialias=True, vector=False, readable=True):
        self.control = Control(width, height, dpi=dpi, antialias=antialias, vector=vector)
        self.control.ReadableLabels = bool(readable)
        self.control.NewGraph(title)
        self._series = 0
        self.title(title).xlabel(xlabel).ylabel(ylabel).legend(legend)

    # ---- labels
    def title(self, text):
        """The title above the graph ("" for none)."""
        c = self.control
        if text:
            c.GraphTitleStyle(Title=text)
        c.GraphShowTitle = bool(text)
        return self

    def _axis_title(self, select, text):
        c = self.control
        select(1)
        c.AxisTitle = text
        c.AxisShowTitle = bool(text)
        return self

    def xlabel(self, text):
        """The title of the X axis ("" for none)."""
        return self._axis_title(self.control.SelectXaxis, text)

    def ylabel(self, text):
        """The title of the Y axis ("" for none)."""
        return self._axis_title(self.control.SelectYaxis, text)

    def legend(self, show=True):
        """Shows the legend table, with a row for every series given a label."""
        self.control.LegendShow = bool(show)
        return self

    # ---- series
    def _series_of(self, x, y, label):
        self._series += 1
        self.control.NewDataSet(label if label is not None else f"series {self._series}",
                                InLegendTable=label is not None)
        times = series_index(x) if y is None else x
        if getattr(getattr(times, "dtype", None), "kind", "") == "M":  # datetime64: dates on the X axis
            self.control.SelectXaxis(1)
            self.control.AxisTime = True
        if y is None:
            self.control.add_points(x)  # a pandas Series over its index
        else:
            self.control.add_points(x, y)

    def line(self, x, y=None, label=None, color=None, width=1, style="solid", marker="none"):
        """A line through the points (x, y): width in pixels, style "solid" or "dotted", a marker at
        each point if asked ("circle", "o", "square", ...)."""
        self._series_of(x, y, label)
        c = self.control
        c.DataSymbol = _code(MARKERS, marker, "marker")
        c.DataLineStyle = _code(LINE_STYLES, style, "line style")
        c.DataLineThickness = width
        if color is not None:
            c.DataLineColor = c.DataSymbolColor = c.DataSymbolEdgeColor = color_value(color)
        return self

    def scatter(self, x, y=None, label=None, color=None, marker="circle", size=2.0):
        """A marker at each point (x, y), size in millimetres."""
        self._series_of(x, y, label)
        c = self.control
        c.DataLineStyle = 0
        c.DataSymbol = _code(MARKERS, marker, "marker")
        c.DataSymbolSize = size
        if color is not None:
            c.DataSymbolColor = c.DataSymbolEdgeColor = color_value(color)
        return self

    def bar(self, x, y=None, label=None, color=None):
        """A bar from the axis to each point (x, y)."""
        self._series_of(x, y, label)
        c = self.control
        c.DataLineStyle = 0
        c.DataSymbol = MARKERS["bar"]
        if color is not None:
            c.DataSymbolColor = color_value(color)
        return self

    # ---- output
    def _drawn(self):
        self.control.Refresh()
        return self.control

    def save(self, file, format=None):
        """Writes the chart to a path (.png, .svg, .pdf) or a binary file object (format, "png" if none)."""
        self._drawn().save(file, format)

    def to_bytes(self, format="png"):
        """The chart as the bytes of a PNG, SVG or PDF file."""
        return self._drawn().to_bytes(format)

    def _repr_png_(self):
        return self._drawn()._repr_png_()

    def _repr_svg_(self):
        return self._drawn()._repr_svg_()

    def show(self):
        """In a notebook, shows the chart there. Elsewhere writes it to a temporary PNG file, opens that
        with the desktop's viewer, and returns its path (with a warning where there is no display)."""
        ipython = sys.modules.get("IPython")
        if ipython is not None and getattr(ipython, "get_ipython", lambda: None)() is not None:
            from IPython.display import display
            display(self)
            return None
        fd, path = tempfile.mkstemp(prefix="plotara-", suffix=".png")
        with os.fdopen(fd, "wb") as f:
            self.save(f)
        opener = shutil.which("xdg-open")
        if opener and (os.environ.get("DISPLAY") or os.environ.get("WAYLAND_DISPLAY")):
            subprocess.Popen([opener, path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        else:
            warnings.warn(f"plotara: no display to show the chart on; it is in {path}", stacklevel=2)
        return path
