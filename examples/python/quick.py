"""A chart in a few lines, as with matplotlib: a damped oscillation and its samples.
Usage: python3 quick.py [OUT.png|OUT.svg|OUT.pdf]"""
import math
import sys

import plotara

out = sys.argv[1] if len(sys.argv) > 1 else "quick.png"
t = [i / 20 for i in range(201)]
chart = plotara.Chart(title="Damped oscillation", xlabel="t [s]", ylabel="amplitude")
chart.line(t, [math.exp(-v / 4) * math.cos(2 * v) for v in t], label="model", color="blue", width=2)
chart.scatter(t[::8], [math.exp(-v / 4) * math.cos(2 * v) + 0.05 * math.sin(13 * v) for v in t[::8]],
              label="measured", color="red", marker="diamond")
chart.save(out)   # .png, .svg or .pdf; chart.show() opens it; in a notebook the chart shows itself
print(out)
