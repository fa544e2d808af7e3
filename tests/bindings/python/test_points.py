"""add_points: sequences, numpy arrays of any real dtype and layout, pandas; missing values; refusals."""
import array

import numpy
import pytest

import plotara
from conftest import picture_of

X = [0, 1, 2, 3, 5, 8, 13]
Y = [4, -2, 7, 1, 0, 3, 6]


def drawn_with(x, y=None, e=None, error_bars=False):
    c = plotara.Control(width=240, height=160)
    c.NewGraph("g")
    c.NewDataSet("d")
    c.ShowErrorBar = error_bars
    c.add_points(x, y, e) if y is not None else c.add_points(x)
    c.Refresh()
    return picture_of(c)


REFERENCE = None


def reference():
    global REFERENCE
    if REFERENCE is None:
        REFERENCE = drawn_with(X, Y)
    return REFERENCE


@pytest.mark.parametrize("dtype", ["int8", "uint8", "int16", "uint16", "int32", "uint32", "int64", "uint64",
                                   "float16", "float32", "float64", "longdouble"])
def test_every_real_dtype_draws_the_same_points(dtype):
    x, y = numpy.array(X).astype(dtype), numpy.array(Y).astype("int64")
    if numpy.dtype(dtype).kind == "u":
        y = y - y.min()  # unsigned: shift the reference's values
        assert drawn_with(x, y.astype(dtype)) == drawn_with(X, list(y))
    else:
        assert drawn_with(x, y.astype(dtype)) == reference()


@pytest.mark.parametrize("make", [
    lambda: (numpy.array(X, float)[::-1][::-1], numpy.array(Y, float)),            # reversed twice: a view
    lambda: (numpy.repeat(numpy.array(X, float), 2)[::2], numpy.array(Y)[:, None].repeat(3, 1)[:, 1]),  # strided
    lambda: tuple(numpy.asfortranarray(numpy.array([X, Y], float).T).T),          # rows of a Fortran array
    lambda: (tuple(X), Y),
    lambda: (array.array("i", X), array.array("d", Y)),
    lambda: ((v for v in X), (v for v in Y)),
])
def test_any_layout_and_sequence_draws_the_same_points(make):
    x, y = make()
    assert drawn_with(x, y) == reference()


def test_pandas_series_and_dataframe_columns():
    pandas = pytest.importorskip("pandas")
    frame = pandas.DataFrame({"t": X, "v": Y, "label": list("abcdefg")})
    assert drawn_with(frame["t"], frame["v"]) == reference()
    assert drawn_with(pandas.Series(Y, index=X)) == reference()  # a Series alone: its index is x
    # A nullable column's missing value is a missing point.
    with_gap = pandas.Series(Y + [None], dtype="Int64")
    assert drawn_with(pandas.Series(X + [20]), with_gap) == reference()
    with pytest.raises(TypeError):
        drawn_with(frame["t"], frame["label"])
    with pytest.raises(TypeError, match="times"):  # for a time axis to take one day
        drawn_with(pandas.date_range("2026-01-01", periods=7), frame["v"])


NAN, INF = float("nan"), float("inf")


@pytest.mark.parametrize("x, y, e, same_as", [
    # A point whose x or y is missing is left out; the line joins its neighbours.
    (X + [NAN, 21], Y + [5, INF], None, (X, Y, None)),
    ([NAN] + X + [-INF], [1] + Y + [2], None, (X, Y, None)),
    # A missing error value is no error bar; the point stays.
    (X, Y, [0.5, NAN, INF, -INF, 0.5, 0.5, 0.5], (X, Y, [0.5, 0, 0, 0, 0.5, 0.5, 0.5])),
])
def test_nan_and_infinity_are_missing_values(x, y, e, same_as):
    c_given = drawn_with(numpy.array(x), numpy.array(y), None if e is None else numpy.array(e), error_bars=True)
    assert c_given == drawn_with(*same_as, error_bars=True)


@pytest.mark.parametrize("x, y, error", [
    (numpy.zeros((3, 2)), numpy.zeros((3, 2)), ValueError),
    (numpy.arange(3), numpy.arange(3) * 1j, TypeError),
    (numpy.arange(3), numpy.array(["1", "2", "3"]), TypeError),
    (numpy.arange(3), numpy.array([1, 2, 3], dtype=object) * 1j, TypeError),
    ([1, 2], [1j, 2j], TypeError),
    ([1, 2], "12", TypeError),
    ([1, 2], [1], ValueError),
    (numpy.arange(3), numpy.arange(4), ValueError),
])
def test_what_is_not_a_list_of_real_numbers_is_refused(chart, x, y, error):
    chart.Refresh()
    before = picture_of(chart)
    with pytest.raises(error):
        chart.add_points(x, y)
    chart.Refresh()
    assert picture_of(chart) == before  # no point was added
