"""The Python module: members by name, bulk points, events, errors as exceptions, pictures."""
import os
import struct
import tempfile
import unittest

import plotara

try:
    import numpy
except ImportError:
    numpy = None


class MembersByName(unittest.TestCase):
    def setUp(self):
        self.c = plotara.Control(width=320, height=240)
        self.c.NewGraph("g")
        self.c.NewDataSet("d")

    def tearDown(self):
        self.c.close()

    def test_properties_read_back_what_was_put_in_any_letter_case(self):
        cases = [("AxisColor", 255), ("AxisTitle", "Months"), ("AxisLog", True), ("MathFuncX2", 2.5)]
        for name, value in cases:
            setattr(self.c, name, value)
            self.assertEqual(getattr(self.c, name), value, name)
            self.assertEqual(getattr(self.c, name.lower()), value, name)
        self.c.put("axiscolor", plotara.rgb(0, 0, 255))
        self.assertEqual(self.c.get("AXISCOLOR"), 0xFF0000)

    def test_methods_take_positional_and_named_arguments(self):
        self.c.SymbolStyle(Symbol=5, Size=2.5)
        self.assertEqual(self.c.DataSymbol, 5)
        self.c.NewYAxis("right", 0, 10)
        self.assertEqual(self.c.SelectYaxis(1), 1)
        self.assertEqual(self.c.invoke("GetSelectedGraph"), 0)

    def test_methods_that_write_back_return_those_values(self):
        self.c.NewXAxis("second")
        names, count = self.c.GetAxisNames()
        self.assertGreaterEqual(count, 1)
        self.assertIn("second", names)
        self.c.NewDataSet("b")
        self.assertEqual(self.c.GetSelectedData(), 1)

    def test_members_are_listed(self):
        names = plotara.members()
        self.assertIn("NewGraph", names)
        self.assertIn("AxisColor", dir(self.c))
        self.assertEqual(self.c.Version, plotara.__version__)


class Failures(unittest.TestCase):
    def setUp(self):
        self.c = plotara.Control(width=200, height=150)

    def tearDown(self):
        self.c.close()

    def test_failures_are_exceptions_with_number_and_text(self):
        cases = [
            (lambda: self.c.AxisColor, 9, "Subscript out of range"),       # no graph yet
            (lambda: self.c.SetSelectedData(1), 9, "SetSelectedData"),      # a method's ErrorMsg
            (lambda: self.c.put("Version", "2"), None, None),               # read-only
            (lambda: self.c.invoke("NoSuchMember"), 438, "doesn't support"),
            (lambda: self.c.Refresh(1, True, 3), 450, None),
        ]
        for call, number, text in cases:
            with self.assertRaises(plotara.PlotaraError) as caught:
                call()
            if number is not None:
                self.assertEqual(caught.exception.number, number)
            if text is not None:
                self.assertIn(text, caught.exception.text)
            self.assertIn(f"Error {caught.exception.number}", str(caught.exception))

    def test_unknown_names_and_values_are_python_errors(self):
        with self.assertRaises(AttributeError):
            self.c.NoSuchProperty
        with self.assertRaises(AttributeError):
            self.c.NoSuchProperty = 1
        self.c.NewGraph("g")
        with self.assertRaises(TypeError):
            self.c.AxisColor = object()
        self.c.NewDataSet("d")
        with self.assertRaises(ValueError):
            self.c.add_points([1, 2], [1])
        with self.assertRaises(ValueError):
            self.c.on("NoSuchEvent", print)

    def test_a_closed_control_says_so(self):
        self.c.close()
        with self.assertRaises(plotara.PlotaraError) as caught:
            self.c.NewGraph("g")
        self.assertEqual(caught.exception.number, 91)


class Events(unittest.TestCase):
    def test_handlers_are_called_and_can_be_removed(self):
        c = plotara.Control(width=200, height=150)
        seen = []
        c.on("GraphScaleChanged", lambda: seen.append(c.GraphIndex))  # may call back into the control
        c.NewGraph("a")
        self.assertEqual(seen, [0, 0])
        c.on("GraphScaleChanged", None)
        c.NewGraph("b")
        self.assertEqual(len(seen), 2)

    def test_an_error_handler_receives_failures_instead_of_an_exception(self):
        c = plotara.Control(width=200, height=150)
        errors = []
        c.on("ErrorMsg", lambda source, description: errors.append((source, description)))
        c.SetSelectedData(1)  # no graph, so no data set
        self.assertEqual(len(errors), 1)
        self.assertIn("SetSelectedData", errors[0][0])
        self.assertEqual(errors[0][1], "Subscript out of range")

    def test_an_exception_in_a_handler_comes_out_of_the_call(self):
        c = plotara.Control(width=200, height=150)

        def boom():
            raise KeyError("from the handler")

        c.on("GraphScaleChanged", boom)
        with self.assertRaises(KeyError):
            c.NewGraph("a")
        c.on("GraphScaleChanged", None)
        c.NewGraph("b")  # nothing left over


class PointsAndPictures(unittest.TestCase):
    def chart(self, **size):
        c = plotara.Control(**size)
        c.NewGraph("g")
        c.NewDataSet("d")
        return c

    def test_bulk_points_from_sequences_set_the_axes(self):
        for xs, ys, es in [([0, 1, 2, 47], [5, -3, 2, 8], None), (range(4), (1.5, 2, 3, 4), [0.1] * 4)]:
            c = self.chart(width=300, height=200)
            c.add_points(xs, ys, es)
            c.Refresh()
            c.SelectXaxis(1)
            self.assertLessEqual(c.AxisValue1, min(xs))
            self.assertGreaterEqual(c.AxisValue2, max(xs))

    @unittest.skipIf(numpy is None, "numpy is not installed")
    def test_bulk_points_from_numpy_arrays(self):
        c = self.chart(width=300, height=200)
        x = numpy.linspace(0, 100, 1001)
        c.add_points(x, numpy.sin(x).astype(numpy.float32))
        c.Refresh()
        self.assertGreaterEqual(c.AxisValue2, 100)
        self.assertEqual(c.picture_array().shape, (200, 300, 3))

    def test_the_picture_has_the_requested_size_at_any_resolution(self):
        for dpi in (96, 192):
            c = self.chart(width=333, height=222, dpi=dpi)
            c.Refresh()
            pixels, w, h, stride = c.picture()
            self.assertEqual((w, h), (333, 222))
            self.assertEqual(len(pixels), stride * h)
            # A chart was drawn: page, plot area, axes and labels in several colours.
            colours = set(struct.unpack_from(f"={w}I", pixels, row * stride) for row in range(0, h, 7))
            self.assertGreater(len({p for row in colours for p in row}), 2)

    def test_save_writes_a_png_or_raises(self):
        c = self.chart(width=200, height=150)
        c.Refresh()
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "a.png")
            c.save(path)
            with open(path, "rb") as f:
                self.assertEqual(f.read(4), b"\x89PNG")
            with self.assertRaises(plotara.PlotaraError):
                c.save(os.path.join(d, "missing", "a.png"))

    def test_rgb_is_the_controls_colour_order(self):
        self.assertEqual(plotara.rgb(255, 0, 0), 0x0000FF)
        self.assertEqual(plotara.rgb(1, 2, 3), 0x030201)
        with self.assertRaises(ValueError):
            plotara.rgb(256, 0, 0)


if __name__ == "__main__":
    unittest.main()
