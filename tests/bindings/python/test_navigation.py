"""The wheel, a pinch, a pan and the keys from Python, in pixels; ViewChanged names the graph; the nearest
point comes back as a Point."""
import plotara


def drawn():
    c = plotara.Control(width=400, height=300)
    c.NewGraph("g", 0, 10, 0, 10)
    c.NewDataSet("d")
    c.add_points([2, 5], [2, 5])
    c.Refresh()
    return c


def where(c, value):
    """The pixel of a point drawn at (value, value): searched for with nearest_point."""
    for x in range(0, 400, 4):
        for y in range(0, 300, 4):
            p = c.nearest_point(x, y, within=3)
            if p and p.x == value:
                return x, y
    raise AssertionError(f"no point at {value}")


def test_gestures_change_the_view_and_report_it():
    with drawn() as c:
        views = []
        c.on("ViewChanged", views.append)
        x, y = where(c, 5)
        assert c.wheel(x, y, 480)
        c.SelectXaxis()
        assert abs((c.AxisViewValue2 - c.AxisViewValue1) - 5) < 1e-6
        assert c.pinch(x, y, 2) and c.pan(x, y, 10, 0)
        assert c.key("Home")
        assert (c.AxisViewValue1, c.AxisViewValue2) == (0, 10)
        assert not c.wheel(0, 0, 120), "no plot area in the corner"
        c.WheelZoom = False
        assert not c.wheel(x, y, 120)
        assert views == [0, 0, 0, 0]


def test_the_nearest_point_says_what_it_is():
    with drawn() as c:
        x, y = where(c, 2)
        p = c.nearest_point(x + 2, y, within=8)
        assert (p.graph, p.data_set, p.index, p.x, p.y, p.name) == (0, 0, 0, 2, 2, "d")
        assert 0 < p.distance <= 8
        assert c.nearest_point(x + 30, y, within=8) is None
