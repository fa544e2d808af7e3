"""The Python module under use a careful program still makes: threads, close() from a handler, texts
with line breaks, and values that cannot be passed as they are."""
import threading
import unittest

import plotara

try:
    import numpy
except ImportError:
    numpy = None


class Threads(unittest.TestCase):
    def test_one_control_used_from_two_threads_serialises_its_calls(self):
        c = plotara.Control(width=200, height=150)
        c.NewGraph("shared")
        c.LegendShow = False  # 300 rows would not fit the legend's 16-bit height
        failures = []
        rounds = 400

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
        self.assertEqual(failures, [])
        names, count = c.GetDataSetNames()
        self.assertEqual(count, 2 * rounds)
        self.assertEqual(sorted(names[:-1]), sorted(f"{t}{i}" for t in "ab" for i in range(rounds)))

    def test_two_controls_are_inside_calls_on_two_threads_at_once(self):
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
        self.assertEqual(met, [True, True])


class CloseInsideAHandler(unittest.TestCase):
    def test_close_from_a_handler_ends_the_running_call_cleanly(self):
        for event, call in [("GraphScaleChanged", lambda c: c.NewGraph("a")),
                            ("ErrorMsg", lambda c: c.SetSelectedData(1))]:
            c = plotara.Control(width=160, height=120)
            seen = []

            def handler(*args, c=c, seen=seen):
                seen.append(args)
                c.close()

            c.on(event, handler)
            call(c)
            self.assertEqual(len(seen), 1, event)  # nothing reaches a closed control's handlers
            with self.assertRaises(plotara.PlotaraError) as caught:
                c.GraphIndex
            self.assertEqual(caught.exception.number, 91)


class TextsSurvive(unittest.TestCase):
    def test_names_with_line_breaks_come_back_whole(self):
        c = plotara.Control(width=160, height=120)
        names = ["one\ntwo", "", "three\r\n", "last"]
        for n in names:
            c.NewGraph(n)
        # Graph names from entry 1; data set names up to an empty last entry.
        self.assertEqual(c.GetGraphNames(), ([""] + names, len(names)))
        c.NewDataSet("a\nb")
        c.NewDataSet("\n")
        self.assertEqual(c.GetDataSetNames(), (["a\nb", "\n", ""], 2))


class NothingIsConvertedInSilence(unittest.TestCase):
    def setUp(self):
        self.c = plotara.Control(width=160, height=120)
        self.c.NewGraph("g")
        self.c.NewDataSet("d")

    def test_values_that_would_be_cut_or_wrapped_are_refused(self):
        c = self.c
        title = c.AxisTitle
        cases = [
            (lambda: c.NewDataSet("cut\0here"), ValueError),
            (lambda: setattr(c, "AxisTitle", "a\0b"), ValueError),
            (lambda: c.invoke("Refresh\0junk"), ValueError),
            (lambda: c.get("GraphIndex\0"), ValueError),
            (lambda: c.SymbolStyle(**{"Symbol\0x": 5}), ValueError),
            (lambda: c.save("chart.png\0.txt"), ValueError),
            (lambda: c.resize(2**32 + 320, 200), OverflowError),
            (lambda: c.resize(200, -2**40), OverflowError),
            (lambda: c.resize(320.5, 200), TypeError),
            (lambda: setattr(c, "AxisValue1", 1 + 2j), TypeError),
            (lambda: c.add_points([1, 2], [1j, 2j]), TypeError),
        ]
        if numpy is not None:
            cases += [
                (lambda: c.add_points(numpy.zeros((2, 3)), numpy.zeros((2, 3))), ValueError),
                (lambda: c.add_points(numpy.arange(3), numpy.arange(3) * 1j), TypeError),
                (lambda: c.add_points(numpy.arange(3), numpy.array(["1", "2", "3"])), TypeError),
                (lambda: c.invoke("AddDataPoint", numpy.complex128(1 + 1j), 2), TypeError),
            ]
        for i, (call, error) in enumerate(cases):
            with self.assertRaises(error, msg=f"case {i}"):
                call()
        # None of them reached the control.
        self.assertEqual(c.GetDataSetNames(), (["d", ""], 1))
        self.assertEqual(c.AxisTitle, title)
        self.assertEqual(c.picture()[1:3], (160, 120))
        c.SelectXaxis(1)
        c.Refresh()
        self.assertEqual(c.GetSelectedData(), 0)


if __name__ == "__main__":
    unittest.main()
