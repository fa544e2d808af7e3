"""The Python tutorial's program (docs/tutorials/python.md): a day of temperatures from a CSV file,
drawn with the control's members by name. Usage: python3 first_chart.py [OUT.png]"""
import csv
import pathlib
import sys

import plotara

out = sys.argv[1] if len(sys.argv) > 1 else "first_chart.png"
data = pathlib.Path(__file__).resolve().parent.parent / "data" / "temperatures.csv"

# 1. A control of 640 x 400 pixels; methods and properties are those of `plotara members`.
chart = plotara.Control(width=640, height=400)
chart.NewGraph("A day in the hall")
chart.NewDataSet("measured")

# 2. Points from any sequences (or numpy arrays): here two columns of a CSV file.
with open(data, newline="") as f:
    rows = list(csv.DictReader(f))
chart.add_points([float(r["time"]) for r in rows], [float(r["temp, C"]) for r in rows])
chart.SymbolStyle(Symbol=5, Size=2.2, Color1=plotara.rgb(192, 0, 0))   # keyword arguments
chart.DataLine(plotara.rgb(192, 0, 0), 1, 1)

# 3. Properties read and write like attributes; a value that does not fit raises PlotaraError.
chart.SelectYaxis(1)
chart.AxisTitle = "degrees Celsius"
try:
    chart.AxisThickness = 300
except plotara.PlotaraError as e:
    print("refused:", e.number, e.text)

# 4. Events call Python functions while the control works.
scaled = []
chart.on("GraphScaleChanged", lambda: scaled.append(chart.GraphIndex))
chart.Refresh()
chart.save(out)   # .png, .svg or .pdf
print(out, "drawn;", len(scaled), "scale changes while drawing")
