"""Failures raise PlotaraError(number, text, member), unless an ErrorMsg handler takes a method's."""
import pytest

import plotara


def fresh(graphs=1, data_sets=1):
    c = plotara.Control(width=200, height=150)
    for g in range(graphs):
        c.NewGraph(f"g{g}")
    for d in range(data_sets):
        c.NewDataSet(f"d{d}")
    return c


# (graphs, data sets, call, number, member, words of the text)
FAILURES = [
    (0, 0, lambda c: c.AxisColor, 9, "AxisColor", "Subscript out of range"),
    (2, 0, lambda c: c.SetSelectedGraph(5), 9, "SetSelectedGraph", "there are 2"),
    (1, 1, lambda c: c.SetSelectedData(99), 9, "SetSelectedData", "there are 1"),
    (1, 1, lambda c: c.SetSelectedAxis(-1), 9, "SetSelectedAxis", "axis"),
    (1, 1, lambda c: c.AddMathFunc("sin("), 5, "AddMathFunc", "does not compile"),
    (0, 0, lambda c: c.NewDataSet("d"), 9, "NewDataSet", "NewGraph first"),
    (1, 0, lambda c: c.AddDataPoint(1, 2), 9, "AddDataPoint", "NewDataSet first"),
    (1, 0, lambda c: c.add_points([1], [2]), 9, "add_points", "NewDataSet first"),
    (1, 1, lambda c: setattr(c, "AxisThickness", 300), 6, "AxisThickness", "Overflow"),
    (1, 1, lambda c: c.AddDataPoint(1e300, 1), 6, "AddDataPoint", "Overflow"),
    (1, 1, lambda c: c.invoke("NoSuchMember"), 438, "NoSuchMember", "doesn't support"),
    (1, 1, lambda c: c.put("Version", "2"), 383, "Version", "read-only"),
    (1, 1, lambda c: c.save("/no/such/folder/a.png"), 75, "save", "/no/such/folder"),
    (1, 1, lambda c: c.DataQuery("sqlite:/no/such/folder/a.db", "t"), 3146, "DataQuery",
     "sqlite:/no/such/folder/a.db: unable to open"),
]


@pytest.mark.parametrize("graphs, data_sets, call, number, member, words", FAILURES)
def test_failures_raise_with_number_text_and_member(graphs, data_sets, call, number, member, words):
    c = fresh(graphs, data_sets)
    with pytest.raises(plotara.PlotaraError) as caught:
        call(c)
    e = caught.value
    assert (e.number, e.member) == (number, member)
    assert words in e.text
    assert str(e).startswith(f"{member}: Error {number}: ")


@pytest.mark.parametrize("graphs, data_sets, call, number, member, words",
                         [f for f in FAILURES if f[4][0].isupper() and f[4] not in ("AxisColor", "AxisThickness",
                                                                                   "NoSuchMember", "Version")])
def test_an_error_handler_receives_a_methods_failure_instead(graphs, data_sets, call, number, member, words):
    c = fresh(graphs, data_sets)
    heard = []
    c.on("ErrorMsg", lambda source, description: heard.append((source, description)))
    call(c)  # no exception
    assert len(heard) == 1
    assert heard[0][0] == f"Error {number} has occured in Plotara.ocx, {member}"
    assert words in heard[0][1]
    c.on("ErrorMsg", None)
    with pytest.raises(plotara.PlotaraError):
        call(c)


def test_a_failure_inside_drawing_names_the_routine_it_arose_in():
    c = fresh(1, 0)
    for d in range(200):  # more rows than the legend's 16-bit height holds
        c.NewDataSet(f"row {d}")
    with pytest.raises(plotara.PlotaraError) as caught:
        c.Refresh()
    e = caught.value
    assert (e.number, e.text, e.member, e.routine) == (6, "Overflow", "Refresh", "LegendTable")
    assert str(e) == "Refresh: Error 6: Overflow (in LegendTable)"


def test_an_exception_in_a_handler_comes_out_of_the_call_that_raised_the_event():
    c = plotara.Control(width=200, height=150)

    def boom():
        raise KeyError("from the handler")

    c.on("GraphScaleChanged", boom)
    with pytest.raises(KeyError):
        c.NewGraph("a")
    c.on("GraphScaleChanged", None)
    c.NewGraph("b")  # nothing left over
    with pytest.raises(ValueError):
        c.on("NoSuchEvent", print)


def test_handlers_may_call_back_and_can_be_removed():
    c = plotara.Control(width=200, height=150)
    seen = []
    c.on("GraphScaleChanged", lambda: seen.append(c.GraphIndex))
    c.NewGraph("a")
    assert seen == [0, 0]  # one for each new axis
    c.on("GraphScaleChanged", None)
    c.NewGraph("b")
    assert seen == [0, 0]


def test_a_closed_control_says_so():
    c = fresh()
    c.close()
    with pytest.raises(plotara.PlotaraError) as caught:
        c.NewGraph("g")
    assert (caught.value.number, caught.value.member) == (91, "NewGraph")
