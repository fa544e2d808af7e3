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


# Seven instants in 2026, as seconds since 1970 UTC: the first days of spring in Berlin, around the night
# its clocks go forward.
SECONDS = [1774652400 + 43200 * k + 0.25 for k in range(7)]


def drawn_in_time(x, y=Y, zone="Europe/Berlin"):
    c = plotara.Control(width=320, height=160)
    c.NewGraph("g")
    c.AxisTime = True
    c.AxisTimeZone = zone
    c.NewDataSet("d")
    c.add_points(x) if y is None else c.add_points(x, y)
    c.Refresh()
    return picture_of(c)


@pytest.mark.parametrize("unit", ["ms", "us", "ns", "10ms", "250ms"])
def test_datetime64_arrays_are_instants_on_a_time_axis(unit):
    ms = numpy.array([round(s * 1000) for s in SECONDS], dtype="datetime64[ms]")
    assert drawn_in_time(ms.astype(f"datetime64[{unit}]")) == drawn_in_time(SECONDS)


def test_times_are_seconds_to_the_nanosecond_and_nat_is_missing():
    from plotara._points import as_doubles
    cases = [
        (numpy.array(["2026-07-01T12:00:00.000000001", "NaT", "1969-12-31T23:59:59.5"], "datetime64[ns]"),
         [1782907200.000000001, NAN, -0.5]),
        (numpy.array(["2026-03", "2027"], "datetime64[M]"), [1772323200, 1798761600]),
        (numpy.array(["2026-03-29"], "datetime64[W]"), [1774483200]),  # weeks count from a Thursday
        (numpy.array([90, -1], "timedelta64[m]"), [5400, -60]),
        (numpy.array(["2026-01-01T00:00:01"], ">M8[ms]"), [1767225601]),  # bytes in the other order
    ]
    for values, seconds in cases:
        _, got, _ = as_doubles(values, "x")
        assert numpy.allclose(got, seconds, rtol=0, atol=1e-6, equal_nan=True), (values, got)
    with pytest.raises(TypeError, match="no fixed length"):
        as_doubles(numpy.array([1], "timedelta64[M]"), "x")


def test_pandas_times_with_and_without_a_zone():
    pandas = pytest.importorskip("pandas")
    utc = pandas.to_datetime(SECONDS, unit="s")
    berlin = utc.tz_localize("UTC").tz_convert("Europe/Berlin")
    expected = drawn_in_time(SECONDS)
    assert drawn_in_time(utc) == expected
    assert drawn_in_time(berlin) == expected  # a zone's times are the same instants
    assert drawn_in_time(pandas.Series(Y, index=berlin), None) == expected
    assert drawn_in_time(pandas.Series(berlin), pandas.Series(Y)) == expected
    # NaT is a missing point, as NaN is.
    gap = pandas.Series(list(utc) + [pandas.NaT])
    assert drawn_in_time(gap, Y + [1]) == drawn_in_time(SECONDS + [NAN], Y + [1])
