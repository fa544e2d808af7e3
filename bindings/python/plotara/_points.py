"""Points for the bulk call: any sequence of real numbers, numpy arrays of any real dtype (contiguous or
not), pandas Series and Index. Values arrive as contiguous float64 blocks, copied only when the input is
not one already."""
import array
import ctypes

_DOUBLES = ctypes.POINTER(ctypes.c_double)


def _time_values(a, what):
    """Where a time axis would take datetime64 and timedelta64 values (as seconds since 1970): the
    control has no time axis yet, so they are refused rather than taken as raw counts."""
    raise TypeError(f"plotara: {what} holds times ({a.dtype}); give them as numbers, e.g. seconds")


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
        if kind in "biufO":
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
