"""DataQuery: a data set fed by an SQLite table draws the pixels of its rows given as points."""
import math
import sqlite3

import plotara
from conftest import picture_of


def test_a_table_draws_as_its_rows_do(tmp_path):
    rows = sorted((i * 0.37 % 50, math.sin(i) * 10) for i in range(20000))
    db = tmp_path / "rows.db"
    with sqlite3.connect(db) as c:
        c.execute("CREATE TABLE samples (t REAL, v REAL)")
        c.executemany("INSERT INTO samples VALUES (?, ?)", rows)
    pictures = []
    for feed in (lambda c: c.DataQuery(f"sqlite:{db}", "SELECT t, v FROM samples"),
                 lambda c: c.add_points([x for x, _ in rows], [y for _, y in rows])):
        c = plotara.Control(width=320, height=240)
        c.NewGraph("g")
        c.NewDataSet("d")
        c.DataLine(0xFF0000, 1, 1)
        c.DataSymbol = 0
        feed(c)
        c.Refresh()
        pictures.append(picture_of(c))
        c.close()
    assert pictures[0] == pictures[1]
    assert pictures[0].count(0x0000FF) > 300  # the line is there (0x00RRGGBB)
