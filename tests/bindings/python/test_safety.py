"""What a careful program still does: one control from two threads, close() from a handler, texts with
line breaks and NUL characters, numbers too large for their C type."""
import threading

import numpy
import pytest

import plotara


def test_one_control_used_from_two_threads_serialises_its_calls():
    c = plotara.Control(width=200, height=150)
    c.NewGraph("shared")
    c.LegendShow = False  # 800 rows would not fit the legend's 16-bit height
    failures, rounds = [], 400

    def work(tag):
        try:
            for i in range(rounds):
                c.NewDataSet(f"{tag}{i}")
                c.add_points([0, 1, 2], [i, i + 1, i + 2])
                c.DataLegend  # a read between the writes
                if i % 25 == 0:
                    c.Refresh()
        except BaseException as e:  # reported by the main thread
            failures.append(e)

    threads = [threading.Thread(target=work, args=(t,)) for t in "ab"]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert failures == []
    names, count = c.GetDataSetNames()
    assert count == 2 * rounds
    assert sorted(names[:-1]) == sorted(f"{t}{i}" for t in "ab" for i in range(rounds))


def test_two_controls_are_inside_calls_on_two_threads_at_once():
    # Each control's handler, called inside NewGraph, waits until the other thread is inside its own
    # call: with one lock for all controls neither would get there.
    inside = [threading.Event(), threading.Event()]
    met = [False, False]

    def work(k):
        c = plotara.Control(width=120, height=90)

        def handler():
            if not inside[k].is_set():
                inside[k].set()
                met[k] = inside[1 - k].wait(timeout=20)

        c.on("GraphScaleChanged", handler)
        c.NewGraph(f"graph {k}")
        c.close()

    threads = [threading.Thread(target=work, args=(k,)) for k in (0, 1)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert met == [True, True]


@pytest.mark.parametrize("event, call", [
    ("GraphScaleChanged", lambda c: c.NewGraph("a")),
    ("ErrorMsg", lambda c: c.SetSelectedData(1)),
])
def test_close_from_a_handler_ends_the_running_call_cleanly(event, call):
    c = plotara.Control(width=160, height=120)
    seen = []

    def handler(*args):
        seen.append(args)
        c.close()

    c.on(event, handler)
    call(c)
    assert len(seen) == 1  # nothing reaches a closed control's handlers
    with pytest.raises(plotara.PlotaraError) as caught:
        c.GraphIndex
    assert caught.value.number == 91


def test_names_with_line_breaks_come_back_whole():
    c = plotara.Control(width=160, height=120)
    names = ["one\ntwo", "", "three\r\n", "last"]
    for name in names:
        c.NewGraph(name)
    # Graph names from entry 1; data set names up to an empty last entry.
    assert c.GetGraphNames() == ([""] + names, len(names))
    c.NewDataSet("a\nb")
    c.NewDataSet("\n")
    assert c.GetDataSetNames() == (["a\nb", "\n", ""], 2)


@pytest.mark.parametrize("call, error", [
    (lambda c: c.NewDataSet("cut\0here"), ValueError),
    (lambda c: setattr(c, "AxisTitle", "a\0b"), ValueError),
    (lambda c: c.invoke("Refresh\0junk"), ValueError),
    (lambda c: c.get("GraphIndex\0"), ValueError),
    (lambda c: c.save("chart.png\0.txt"), ValueError),
    (lambda c: getattr(c, "Refresh\0junk"), AttributeError),
    (lambda c: c.resize(2**32 + 320, 200), OverflowError),
    (lambda c: c.resize(200, -2**40), OverflowError),
    (lambda c: c.resize(320.5, 200), TypeError),
    (lambda c: setattr(c, "AxisValue1", 1 + 2j), TypeError),
    (lambda c: c.AddDataPoint(numpy.complex128(1 + 1j), 2), TypeError),
    (lambda c: c.SetSelectedGraph(2**40), plotara.PlotaraError),  # reaches the control, which says 6
    (lambda c: c.key("Bogus"), ValueError),
    (lambda c: c.key(2**32 + 37), OverflowError),
    (lambda c: c.key(37.9), TypeError),
    (lambda c: c.wheel(10, 10, 2**32 + 120), OverflowError),
    (lambda c: c.wheel(10, 10, 120, shift=2**40), OverflowError),
    (lambda c: c.pan("10", 10, 5, 5), TypeError),
    (lambda c: c.pinch(10, 10, "2"), TypeError),
    (lambda c: c.nearest_point(10, "10"), TypeError),
])
def test_values_that_would_be_cut_or_wrapped_are_refused(chart, call, error):
    before = (chart.GetDataSetNames(), chart.AxisTitle, chart.picture()[1:3])
    with pytest.raises(error):
        call(chart)
    assert (chart.GetDataSetNames(), chart.AxisTitle, chart.picture()[1:3]) == before


@pytest.mark.parametrize("name", ["AxisColor", "axiscolor"])
def test_a_property_whose_reading_breaks_on_the_module_itself_says_so(chart, name):
    # A replaced private attribute makes the getter fail with AttributeError, which Python would answer
    # by asking __getattr__, which finds the property again: a RecursionError once.
    chart._native = 5
    with pytest.raises(RuntimeError, match="reading AxisColor failed") as e:
        getattr(chart, name)
    assert not isinstance(e.value, RecursionError)
    assert isinstance(e.value.__cause__, AttributeError)
