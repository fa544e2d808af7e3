"""Plotara, the charting control, from Python.

    import plotara
    c = plotara.Control(width=800, height=600)
    c.NewGraph("Sales")              # methods by name
    c.NewDataSet("2026")
    c.add_points([1, 2, 3], [40, 47, 45])   # sequences, numpy arrays, pandas Series
    c.AxisColor = plotara.rgb(255, 0, 0)   # properties by name (colours are 0x00BBGGRR)
    c.Refresh()
    c.save("sales.png")              # or c.to_bytes("svg"); a notebook shows c itself

    chart = plotara.Chart(title="Sales", xlabel="month", ylabel="EUR")   # the quick way
    chart.line([1, 2, 3], [40, 47, 45], label="2026")
    chart.save("quick.png")

Every member of the control's interface (``plotara members`` lists them) is a method or a property of
Control with its reference as help: help(plotara.Control.NewGraph). A failure raises PlotaraError with
the error's number, text and member. Nothing is converted in silence: a value of the wrong type raises
TypeError, a text holding a NUL character ValueError, a number too large for its C type OverflowError.
Control's help gives the rules for threads and event handlers.

The module loads libplotara through ctypes: from $PLOTARA_LIBRARY when set, else the copy in the
package (a wheel carries one), else next to where it is installed, else from the system's library path.
numpy is used where it is installed (bulk points from arrays, the picture as an array) and is not
needed otherwise; pandas Series are taken where pandas is.
"""
from . import _native
from .control import EVENTS, KEYS, Control, PlotaraError, Point, members, rgb
from .quick import Chart

__all__ = ["Control", "PlotaraError", "Point", "Chart", "rgb", "members", "EVENTS", "KEYS"]
__version__ = _native.lib.plotara_version().decode()
