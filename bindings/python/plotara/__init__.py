"""Plotara, the charting control, from Python.

    import plotara
    c = plotara.Control(width=800, height=600)
    c.NewGraph("Sales")              # methods by name
    c.NewDataSet("2026")
    c.add_points([1, 2, 3], [40, 47, 45])
    c.AxisColor = plotara.rgb(255, 0, 0)   # properties by name (colours are 0x00BBGGRR)
    c.on("ErrorMsg", print)          # events as callables
    c.Refresh()
    c.save("sales.png")

Every member of the control's interface (``plotara members`` lists them) is a method or a property of
Control, found by name without regard to letter case. A failure raises PlotaraError with the error's
number and text. Nothing is converted in silence: a text holding a NUL character raises ValueError, a
number too large for its C type OverflowError, a value of the wrong kind (a complex number, a
two-dimensional array) TypeError or ValueError.

Threads: a Control may be used from any thread; its calls are serialised by a lock of its own, so one
thread's call waits for another's to end. Two controls run on two threads in parallel.

Events: a handler runs on the thread of the call that raised the event, inside that call, holding the
control's lock. It may call back into the control (read, change, draw, even close() it: the running
call then finishes and the control is released after it). It must not wait for another thread that
uses the same control: that thread waits for the lock, and neither goes on.

The module loads libplotara through ctypes: from $PLOTARA_LIBRARY when set, else next to where it is
installed, else from the system's library path. numpy is used where it is installed (bulk points from
arrays, the picture as an array) and is not needed otherwise.
"""

import array
import ctypes
import ctypes.util
import glob
import numbers
import operator
import os
import threading

__all__ = ["Control", "PlotaraError", "rgb", "EVENTS"]

EVENTS = ("NewGraphInFront", "GraphScaleChanged", "GraphPositionChanged", "LegendPositionChanged", "ErrorMsg")

_EMPTY, _MISSING, _BOOLEAN, _LONG, _DOUBLE, _TEXT, _TEXTS = range(7)


class PlotaraError(Exception):
    """A failure of the control: number (9, 13, 438, ...) and text ("Subscript out of range")."""

    def __init__(self, number, text):
        super().__init__(f"Error {number}: {text}")
        self.number = number
        self.text = text


def rgb(r, g, b):
    """The control's colour value for red, green and blue 0..255: 0x00BBGGRR."""
    for v in (r, g, b):
        if not 0 <= int(v) <= 255:
            raise ValueError("a colour component is 0 to 255")
    return int(r) | int(g) << 8 | int(b) << 16


class _Value(ctypes.Structure):
    # text: a NUL-terminated text, or for a list an array of them ending with a NULL pointer.
    _fields_ = [("type", ctypes.c_int32), ("integer", ctypes.c_int32), ("number", ctypes.c_double),
                ("text", ctypes.c_void_p)]


class _Member(ctypes.Structure):
    _fields_ = [("kind", ctypes.c_int), ("writable", ctypes.c_int), ("params", ctypes.c_int),
                ("out_mask", ctypes.c_uint32), ("result", ctypes.c_int)]


_HANDLER = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p)


def _candidates():
    env = os.environ.get("PLOTARA_LIBRARY")
    if env:
        return [env]
    here = os.path.dirname(os.path.abspath(__file__))
    found = []
    # Installed: PREFIX/lib/python3/dist-packages/plotara beside PREFIX/lib[/multiarch]/libplotara.so.1.
    lib = os.path.normpath(os.path.join(here, "..", "..", ".."))
    found += glob.glob(os.path.join(lib, "libplotara.so.1")) + glob.glob(os.path.join(lib, "*", "libplotara.so.1"))
    # The source tree: bindings/python/plotara beside build/.
    found += glob.glob(os.path.join(here, "..", "..", "..", "build", "libplotara.so.1"))
    name = ctypes.util.find_library("plotara")
    return found + ([name] if name else []) + ["libplotara.so.1"]


def _load():
    errors = []
    for path in _candidates():
        try:
            lib = ctypes.CDLL(path)
            break
        except OSError as e:
            errors.append(str(e))
    else:
        raise ImportError("plotara: cannot load libplotara (set PLOTARA_LIBRARY to its path): " + "; ".join(errors))
    P = ctypes.c_void_p
    sig = {
        "plotara_last_error": (ctypes.c_char_p, []),
        "plotara_version": (ctypes.c_char_p, []),
        "plotara_create": (ctypes.c_int, [ctypes.c_double, ctypes.POINTER(P)]),
        "plotara_destroy": (None, [P]),
        "plotara_resize": (ctypes.c_int, [P, ctypes.c_int, ctypes.c_int]),
        "plotara_invoke": (ctypes.c_int, [P, ctypes.c_char_p, ctypes.c_int, ctypes.POINTER(_Value),
                                          ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(_Value)]),
        "plotara_get": (ctypes.c_int, [P, ctypes.c_char_p, ctypes.POINTER(_Value)]),
        "plotara_put": (ctypes.c_int, [P, ctypes.c_char_p, _Value]),
        "plotara_add_points": (ctypes.c_int, [P, ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_double),
                                              ctypes.POINTER(ctypes.c_double), ctypes.c_size_t]),
        "plotara_member_count": (ctypes.c_int, []),
        "plotara_member_name": (ctypes.c_char_p, [ctypes.c_int]),
        "plotara_member_info": (ctypes.c_int, [ctypes.c_char_p, ctypes.POINTER(_Member)]),
        "plotara_set_event_handler": (ctypes.c_int, [P, ctypes.c_int, _HANDLER, P]),
        "plotara_picture": (ctypes.c_int, [P, ctypes.POINTER(ctypes.POINTER(ctypes.c_uint32)),
                                           ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                           ctypes.POINTER(ctypes.c_int)]),
        "plotara_save": (ctypes.c_int, [P, ctypes.c_char_p]),
    }
    for name, (res, args) in sig.items():
        f = getattr(lib, name)
        f.restype = res
        f.argtypes = args
    return lib


_lib = _load()
__version__ = _lib.plotara_version().decode()


def _check(status):
    if status != 0:
        raise PlotaraError(status, _lib.plotara_last_error().decode("utf-8", "replace"))


def _text(s, what):
    """s as UTF-8 for the C interface, which ends a text at its first NUL: so a NUL is refused."""
    if not isinstance(s, str):
        raise TypeError(f"plotara: {what} must be a str, not {type(s).__name__}")
    if "\0" in s:
        raise ValueError(f"plotara: {what} holds a NUL character ({s!r})")
    return s.encode("utf-8")


def _c_int(v, what):
    """v as a C int: an integer (not a float, which would be cut) that fits."""
    try:
        v = operator.index(v)
    except TypeError:
        raise TypeError(f"plotara: {what} must be an integer, not {type(v).__name__}") from None
    if not -2**31 <= v < 2**31:
        raise OverflowError(f"plotara: {what} {v} is out of range")
    return v


def _member(name):
    info = _Member()
    if _lib.plotara_member_info(_text(name, "a member name"), ctypes.byref(info)) != 0:
        return None
    return info


def members():
    """The names of every property and method of the control."""
    return [_lib.plotara_member_name(i).decode() for i in range(_lib.plotara_member_count())]


def _to_value(v, keep):
    """A Python value as a C value; keep holds the bytes the value points to for the call's duration."""
    out = _Value()
    if v is None:
        out.type = _MISSING
    elif isinstance(v, bool):
        out.type, out.integer = _BOOLEAN, int(v)
    elif isinstance(v, int) and -2**31 <= v < 2**31:
        out.type, out.integer = _LONG, v
    elif isinstance(v, (int, float)):
        out.type, out.number = _DOUBLE, float(v)
    elif isinstance(v, str):
        b = ctypes.create_string_buffer(_text(v, "a text"))
        keep.append(b)
        out.type, out.text = _TEXT, ctypes.addressof(b)
    elif isinstance(v, (list, tuple)) and all(isinstance(s, str) for s in v):
        texts = (ctypes.c_char_p * (len(v) + 1))(*[_text(s, "a text in a list") for s in v], None)
        keep.append(texts)
        out.type, out.integer, out.text = _TEXTS, len(v), ctypes.addressof(texts)
    elif isinstance(v, numbers.Complex) and not isinstance(v, numbers.Real):
        raise TypeError(f"plotara: cannot pass the complex number {v!r}")
    elif hasattr(v, "__float__"):  # numpy scalars and the like
        out.type, out.number = _DOUBLE, float(v)
    else:
        raise TypeError(f"plotara: cannot pass a {type(v).__name__}")
    return out


def _from_value(v):
    if v.type == _BOOLEAN:
        return bool(v.integer)
    if v.type == _LONG:
        return int(v.integer)
    if v.type == _DOUBLE:
        return float(v.number)
    if v.type == _TEXT:
        return ctypes.string_at(v.text).decode("utf-8", "replace") if v.text else ""
    if v.type == _TEXTS:
        texts = ctypes.cast(v.text, ctypes.POINTER(ctypes.c_char_p))
        return [texts[i].decode("utf-8", "replace") for i in range(v.integer)]
    return None


def _doubles(seq, n=None):
    """A contiguous block of doubles for seq (a numpy array where numpy is installed, else any sequence),
    and the object that owns it."""
    if hasattr(seq, "__array_interface__"):
        import numpy  # only reached for numpy arrays, so numpy is there
        a = numpy.asarray(seq)
        if a.ndim != 1:
            raise ValueError(f"plotara: points come from one-dimensional arrays, not of shape {a.shape}")
        if a.dtype.kind not in "biuf":
            raise TypeError(f"plotara: points are real numbers, not {a.dtype}")
        a = numpy.ascontiguousarray(a, dtype=numpy.float64)
        return a.ctypes.data_as(ctypes.POINTER(ctypes.c_double)), a, len(a)
    a = array.array("d", seq)
    if len(a) == 0:
        return None, a, 0
    return ctypes.cast((ctypes.c_double * len(a)).from_buffer(a), ctypes.POINTER(ctypes.c_double)), a, len(a)


class Control:
    """One Plotara control whose picture is width x height pixels at dpi dots per inch."""

    def __init__(self, width=800, height=600, dpi=96):
        # One call at a time (the C interface refuses a second thread's call); re-entrant, since event
        # handlers call back from inside a call.
        object.__setattr__(self, "_lock", threading.RLock())
        handle = ctypes.c_void_p()
        _check(_lib.plotara_create(float(dpi), ctypes.byref(handle)))
        object.__setattr__(self, "_handle", handle)
        object.__setattr__(self, "_handlers", {})
        object.__setattr__(self, "_raised", [])  # exceptions raised by Python event handlers
        self.resize(width, height)

    # ---- lifetime
    def close(self):
        """Destroys the control; it cannot be used afterwards. From one of its event handlers, the
        running call finishes first and the control is released after it."""
        with self._lock:
            if self._handle:
                _lib.plotara_destroy(self._handle)
                object.__setattr__(self, "_handle", None)

    def __del__(self):
        if getattr(self, "_handle", None):
            self.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _call(self, function, *args):
        """function(handle, *args) under the control's lock; its status checked."""
        with self._lock:
            if not self._handle:
                raise PlotaraError(91, "Object variable not set (the control is closed)")
            self._done(function(self._handle, *args))

    def _done(self, status):
        # A Python event handler that raised: its exception wins over the status.
        if self._raised:
            e = self._raised[0]
            self._raised.clear()
            raise e
        _check(status)

    # ---- the interface by name
    def invoke(self, name, *args, **kwargs):
        """Calls a method by name with positional and named arguments (None leaves one out). A method
        that writes back arguments (GetAxisNames, ...) returns its result, if any, and then those."""
        info = _member(name)  # also refuses a name with a NUL in it
        args = list(args)
        if info is not None and info.kind == 1 and info.out_mask and len(args) < info.params and not kwargs:
            args += [None] * (info.params - len(args))  # room for what the method writes back
        keep = []
        n = len(args) + len(kwargs)
        values = (_Value * max(n, 1))()
        names = (ctypes.c_char_p * max(n, 1))()
        for i, a in enumerate(args):
            values[i] = _to_value(a, keep)
        for i, (k, v) in enumerate(kwargs.items(), len(args)):
            values[i] = _to_value(v, keep)
            names[i] = _text(k, "an argument name")
        result = _Value()
        with self._lock:  # the results live until the next call
            self._call(_lib.plotara_invoke, name.encode(), n, values, names if kwargs else None,
                       ctypes.byref(result))
            value = _from_value(result)
            if info is None or info.kind != 1 or not info.out_mask:
                return value
            outs = [_from_value(values[i]) for i in range(min(n, info.params)) if info.out_mask >> i & 1]
        if info.result != _EMPTY:
            return (value, *outs)
        return outs[0] if len(outs) == 1 else tuple(outs)

    def get(self, name):
        """The value of a property by name."""
        result = _Value()
        with self._lock:
            self._call(_lib.plotara_get, _text(name, "a property name"), ctypes.byref(result))
            return _from_value(result)

    def put(self, name, value):
        """Sets a property by name."""
        keep = []
        self._call(_lib.plotara_put, _text(name, "a property name"), _to_value(value, keep))

    def __getattr__(self, name):
        if name.startswith("_") or "\0" in name:
            raise AttributeError(name)
        info = _member(name)
        if info is None:
            raise AttributeError(f"Control has no member {name!r}")
        if info.kind == 2:
            return self.get(name)
        return lambda *args, **kwargs: self.invoke(name, *args, **kwargs)

    def __setattr__(self, name, value):
        if name.startswith("_") or hasattr(type(self), name):
            object.__setattr__(self, name, value)
        elif "\0" not in name and _member(name) is not None:
            self.put(name, value)
        else:
            raise AttributeError(f"Control has no member {name!r}")

    def __dir__(self):
        return sorted(set(super().__dir__()) | set(members()))

    # ---- host services
    def resize(self, width, height):
        """Makes the picture width x height pixels."""
        self._call(_lib.plotara_resize, _c_int(width, "width"), _c_int(height, "height"))

    def add_points(self, x, y, e=None):
        """Appends points to the last data set of the current graph: x, y and optionally e (error values),
        as sequences of numbers or numpy arrays of equal length."""
        px, kx, nx = _doubles(x)
        py, ky, ny = _doubles(y)
        pe, ke, ne = _doubles(e) if e is not None else (None, None, nx)
        if not nx == ny == ne:
            raise ValueError(f"x, y and e differ in length ({nx}, {ny}, {ne})")
        self._call(_lib.plotara_add_points, px, py, pe, nx)

    def on(self, event, handler):
        """Calls handler when the event is raised: ErrorMsg with (source, description), the others with
        no arguments. None removes it. An exception in the handler is raised by the call that caused
        the event."""
        if event not in EVENTS:
            raise ValueError(f"unknown event {event!r} (one of {', '.join(EVENTS)})")
        index = EVENTS.index(event)
        if handler is None:
            self._call(_lib.plotara_set_event_handler, index, _HANDLER(), None)
            self._handlers.pop(event, None)
            return

        def trampoline(user, ev, source, description):
            try:
                if ev == 4:
                    handler(source.decode("utf-8", "replace"), description.decode("utf-8", "replace"))
                else:
                    handler()
            except BaseException as x:  # carried out of the C call, raised there
                self._raised.append(x)

        callback = _HANDLER(trampoline)
        self._call(_lib.plotara_set_event_handler, index, callback, None)
        self._handlers[event] = callback  # kept alive as long as it is set

    def picture(self):
        """The picture as (pixels, width, height, stride): pixels is bytes, height rows of stride bytes,
        each pixel 0x00RRGGBB in native byte order (B, G, R, 0 on little-endian machines)."""
        ptr = ctypes.POINTER(ctypes.c_uint32)()
        w, h, s = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        with self._lock:  # the pixels stay as they are until the next call
            self._call(_lib.plotara_picture, ctypes.byref(ptr), ctypes.byref(w), ctypes.byref(h), ctypes.byref(s))
            if not ptr:
                return b"", w.value, h.value, s.value
            return ctypes.string_at(ptr, s.value * h.value), w.value, h.value, s.value

    def picture_array(self):
        """The picture as a numpy array of height x width x 3 (red, green, blue); needs numpy."""
        import numpy
        pixels, w, h, s = self.picture()
        a = numpy.frombuffer(pixels, dtype=numpy.uint32).reshape(h, s // 4)[:, :w]
        return numpy.stack([(a >> 16) & 255, (a >> 8) & 255, a & 255], axis=-1).astype(numpy.uint8)

    def save(self, path):
        """Writes the picture to a file: .png, .svg or .pdf."""
        path = os.fsencode(path)
        if b"\0" in path:
            raise ValueError(f"plotara: the path holds a NUL character ({path!r})")
        self._call(_lib.plotara_save, path)
