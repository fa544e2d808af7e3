"""A chart drawn from Python: monthly sales with a trend curve. Usage: python3 sales.py [OUT.png]"""
import sys

import plotara

out = sys.argv[1] if len(sys.argv) > 1 else "sales.png"
chart = plotara.Control(width=800, height=600)    # dpi=192 draws at print quality
changes = []
chart.on("GraphScaleChanged", lambda: changes.append(chart.GraphIndex))   # events call Python
chart.NewGraph("Sales")                            # methods by name
chart.NewDataSet("2026")
months = range(1, 13)
chart.add_points(months, [38 + 3 * m + m % 4 for m in months])   # sequences, or numpy arrays
chart.DataLine(0xC00000, 2, 1)
chart.NewDataSet("trend")
chart.AddMathFunc("40 + 3 * x")
chart.AxisColor = plotara.rgb(255, 0, 0)           # properties by name; colours are 0x00BBGGRR
try:
    chart.AxisThickness = 300                      # a failure is an exception with number and text
except plotara.PlotaraError as e:
    print("too thick:", e.number, e.text)          # 6 Overflow: a thickness is 0 to 255
chart.Refresh()
chart.save(out)
print(out, "scale changes:", len(changes))
