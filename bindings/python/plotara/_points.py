"""Points for the bulk call: any sequence of real numbers, numpy arrays of any real dtype (contiguous or
not) or of datetime64 (seconds since 1970, for a time axis), pandas Series and Index, DatetimeIndex
included. Values arrive as contiguous float64 blocks, copied only when the input is not one already."""
import array
import ctypes

_DOUBLES = ctypes.POINTER(ctypes.c_double)


# Seconds in one count of each fixed numpy time unit; years and months are counted from the calendar.
_UNIT_SECONDS = {"W": 604800, "D": 86400, "h": 3600, "m": 60, "s": 1}
_UNIT_FRACTIONS = {"ms": 10**3, "us": 10**6, "ns": 10**9, "ps": 10**12, "fs": 10**15, "as": 10**18}


def _time_values(a, what):
    """datetime64 values as seconds since 1970-01-01 UTC, the values of a time axis (numpy's datetime64
    has no zone: its values are UTC), timedelta64 values as seconds; NaT becomes NaN, a missing value.
    Whole seconds and their fraction are taken apart, so that nanoseconds in 2026 keep what a double
    holds of them."""
    import numpy
    unit, count = numpy.datetime_data(a.dtype)
    if unit in ("Y", "M") and a.dtype.kind == "M":
        a = a.astype("datetime64[s]")
        unit, count = "s", 1
    if unit not in _UNIT_SECONDS and unit not in _UNIT_FRACTIONS:  # months as durations, or no unit
        raise TypeError(f"plotara: {what} holds times of no fixed length ({a.dtype}); give them in seconds")
    counts = a.astype(a.dtype.newbyteorder("=")).view(numpy.int64)  # in this machine's byte order
    missing = numpy.isnat(a)
    if unit in _UNIT_SECONDS:
        seconds = counts.astype(numpy.float64) * (count * _UNIT_SECONDS[unit])
    else:
        per = _UNIT_FRACTIONS[unit]
        whole, rest = numpy.divmod(counts, per)
        seconds = (whole.astype(numpy.float64) + rest / per) * count
    seconds[missing] = numpy.nan
    return seconds


def _numpy_doubles(a, what):
    import numpy  # only reached for arrays, so numpy is there
    if a.ndim != 1:
        raise ValueError(f"plotara: {what} must be one-dimensional, not of shape {a.shape}")
    if a.dtype.kind in "Mm":
        a = _time_values(a, what)
    elif a.dtype.kind not in "biuf":
        raise TypeError(f"plotara: {what} must hold real numbers, not {a.dtype}")
    return numpy.ascontiguousarray(a, dtype=numpy.float64)


def as_doubles(values, what):
    """(pointer, owner, count) for values; owner keeps the memory for the call's duration."""
    if values is None:
        return None, None, None
    if hasattr(values, "to_numpy") and hasattr(values, "dtype"):  # pandas: missing values become NaN
        import numpy
        kind = getattr(values.dtype, "kind", "O")
        if kind == "M" and getattr(values.dtype, "tz", None) is not None:
            values = values.to_numpy(dtype="datetime64[ns]")  # times in a zone, as UTC
        elif kind in "biufO":
            try:
                values = values.to_numpy(dtype=numpy.float64, na_value=numpy.nan)
            except (TypeError, ValueError) as e:
                raise TypeError(f"plotara: {what} must hold real numbers ({e})") from None
        else:
            values = values.to_numpy()
    if hasattr(values, "__array_interface__") or hasattr(values, "__array__"):
        import numpy
        a = _numpy_doubles(numpy.asarray(values), what)
        return a.ctypes.data_as(_DOUBLES), a, len(a)
    if isinstance(values, (str, bytes)):
        raise TypeError(f"plotara: {what} must hold numbers, not be a {type(values).__name__}")
    try:
        a = array.array("d", values)
    except TypeError as e:
        raise TypeError(f"plotara: {what} must hold real numbers ({e})") from None
    if not a:
        return None, a, 0
    return ctypes.cast((ctypes.c_double * len(a)).from_buffer(a), _DOUBLES), a, len(a)


def series_index(series):
    """The index of a pandas Series as x values, or None for anything else."""
    index = getattr(series, "index", None)
    return index if index is not None and hasattr(series, "to_numpy") else None
