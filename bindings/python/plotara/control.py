"""Control: one Plotara control, its members as methods and properties, and what a host adds (size,
bulk points, events, the picture as pixels, bytes and files).

Sections: errors; the C control's lifetime; the members made methods and properties; Control.
"""
import ctypes
import os
import sys
import threading
import weakref
from typing import Any, BinaryIO, Callable, NamedTuple, Optional, Union

from . import _members
from . import _native as n
from ._points import as_doubles, series_index
from ._values import c_double, c_int, check, from_value, text, to_value

__all__ = ["Control", "PlotaraError", "Point", "rgb", "members", "EVENTS", "KEYS"]

EVENTS = n.EVENTS

# The keys Control.key() takes: the desktop's virtual-key codes.
KEYS = {"Escape": 27, "PageUp": 33, "PageDown": 34, "Home": 36, "Left": 37, "Up": 38, "Right": 39, "Down": 40,
        "C": 67, "+": 107, "-": 109}


class Point(NamedTuple):
    """A data point: its graph, data set and place in it (from 0), its values, its data set's legend and
    its distance from the position asked about (pixels)."""
    graph: int
    data_set: int
    index: int
    x: float
    y: float
    name: str
    distance: float


# ---------------------------------------------------------------- errors

class PlotaraError(Exception):
    """A failure of the control: number (9, 13, 438, ...), text ("Subscript out of range"), the member
    that was called and, when the failure arose in one of the control's own routines, that routine."""

    def __init__(self, number: int, text: str, member: Optional[str] = None,
                 routine: Optional[str] = None) -> None:
        where = f" (in {routine})" if routine and routine != member else ""
        super().__init__((f"{member}: " if member else "") + f"Error {number}: {text}{where}")
        self.number = number
        self.text = text
        self.member = member
        self.routine = routine


def _parse_source(source):
    """(number, routine) of an ErrorMsg source: "Error 9 has occured in Plotara.ocx, SetSelectedData"."""
    words = source.split()
    number = int(words[1]) if len(words) > 1 and words[0] == "Error" and words[1].isdigit() else 5
    return number, source.rpartition(", ")[2] or None


def rgb(r: int, g: int, b: int) -> int:
    """The control's colour value for red, green and blue 0..255: 0x00BBGGRR."""
    for v in (r, g, b):
        if not 0 <= int(v) <= 255:
            raise ValueError("a colour component is 0 to 255")
    return int(r) | int(g) << 8 | int(b) << 16


# ---------------------------------------------------------------- the C control's lifetime

class _Native:
    """The C control. It is released when its last holder lets go: the Control (until close()) and the
    arrays picture_array() gave, which look at its pixels."""

    def __init__(self, options):
        self.ptr = ctypes.c_void_p()
        status = n.lib.plotara_create_with_options(ctypes.byref(options), ctypes.byref(self.ptr))
        if status != 0:
            self.ptr = None
            raise PlotaraError(status, n.last_error())

    def __del__(self):
        if self.ptr:
            n.lib.plotara_destroy(self.ptr)  # from an event handler, the C control waits for the call
            self.ptr = None


# ---------------------------------------------------------------- the members made methods and properties

_MEMBERS = _members.load()
_BY_LOWER = {name.lower(): name for name in _MEMBERS}


def members() -> list[str]:
    """The names of every property and method of the control."""
    return list(_MEMBERS)


def _make_method(m):
    signature = m.signature()

    def method(self, *args, **kwargs):
        bound = signature.bind(self, *args, **kwargs)  # TypeError for a missing or unknown argument
        values = []
        for p in m.params:
            v = None if p.out else bound.arguments.get(p.python_name)
            if v is not None:
                check(v, p.type_name, f"{m.name}() argument {p.name}")
            elif not p.out and not p.optional:
                raise TypeError(f"plotara: {m.name}() argument {p.name} cannot be None")
            values.append(v)
        return self._invoke(m, values)

    method.__name__ = m.name
    method.__qualname__ = "Control." + m.name
    method.__signature__ = signature
    method.__doc__ = m.doc()
    return method


def _make_property(m):
    name = m.name
    type_name = {n.BOOLEAN: "Boolean", n.LONG: "Long", n.DOUBLE: "Double", n.TEXT: "String"}.get(m.result)

    def get(self):
        try:
            return self.get(name)
        except AttributeError as x:
            # Python would take it for a missing attribute and look the name up again in __getattr__, which
            # finds this property: round and round. Only a Control whose private attributes were replaced
            # gets here.
            raise RuntimeError(f"plotara: reading {name} failed: {x}") from x

    def put(self, value):
        check(value, type_name, name)
        self.put(name, value)

    get.__name__ = put.__name__ = name
    return property(get, put if m.writable else None, doc=m.doc())


# ---------------------------------------------------------------- Control

class Control:
    """One Plotara control whose picture is width x height pixels at dpi dots per inch.

    antialias=True smooths lines, curves, circles and symbols (positions stay those of the aliased
    picture); vector=True keeps the drawing as shapes and text, so that save() and to_bytes() give true
    vector SVG and PDF documents. png_compression is the zlib level of the PNG files save() and
    to_bytes() write: 0 (none) to 9 (smallest), -1 zlib's default (6); 1 writes several times faster for
    a file about a third larger, with the same pixels.

    Every member of the control's interface is a method or a property: help(Control.NewGraph) gives
    its meaning, unit, default and range. Names are found without regard to letter case
    (c.axiscolor is c.AxisColor); a misspelt one raises AttributeError naming the nearest member.

    Failures raise PlotaraError(number, text, member): a property that cannot be read or set, and a
    method that fails, unless an ErrorMsg handler is set (c.on("ErrorMsg", f)): that handler then
    receives the method's failures instead. A wrong type of argument raises TypeError before the call.

    Threads: any thread may use a Control; its calls are serialised by a lock of its own, so one
    thread's call waits for another's to end. Two controls run on two threads in parallel.

    Events: a handler runs on the thread of the call that raised the event, inside that call, holding
    the control's lock. It may call back into the control (read, change, draw, even close() it: the
    running call then finishes and the control is released after it). When it adds or removes graphs,
    axes, data sets or points, resets or resizes the control, the call that raised the event stops its
    work there, with nothing reported. It must not wait for another
    thread that uses the same control: that thread waits for the lock, and neither goes on.
    """

    def __init__(self, width: int = 800, height: int = 600, dpi: float = 96, antialias: bool = False,
                 vector: bool = False, png_compression: int = -1) -> None:
        # One call at a time; re-entrant, since event handlers call back from inside a call.
        object.__setattr__(self, "_lock", threading.RLock())
        options = n.Options(float(dpi), int(bool(antialias)), int(bool(vector)), int(png_compression))
        object.__setattr__(self, "_native", _Native(options))
        object.__setattr__(self, "_vector", bool(vector))
        object.__setattr__(self, "_handlers", {})    # event name: the Python callable
        object.__setattr__(self, "_callbacks", {})   # event index: the C callback, alive while set
        object.__setattr__(self, "_errors", [])      # (source, description) of ErrorMsg nobody handles
        object.__setattr__(self, "_raised", [])      # exceptions of Python handlers, raised by the call
        object.__setattr__(self, "_views", [])       # weak references to arrays over the picture's pixels
        self._listen(n.ERROR_MSG)  # a method's failure becomes an exception unless a handler takes it
        self.resize(width, height)

    # ---- lifetime
    def close(self) -> None:
        """Destroys the control; it cannot be used afterwards. From one of its event handlers, the
        running call finishes first and the control is released after it; arrays from picture_array()
        keep its pixels until they are gone."""
        with self._lock:
            object.__setattr__(self, "_native", None)

    def __enter__(self) -> "Control":
        return self

    def __exit__(self, *exc: Any) -> None:
        self.close()

    def _call(self, member, function, *args):
        """function(control, *args) under the lock; a failing status, a failure reported through ErrorMsg
        and an exception of a Python handler are raised."""
        with self._lock:
            native = self._native
            if native is None:
                raise PlotaraError(91, "Object variable not set (the control is closed)", member)
            errors, raised = len(self._errors), len(self._raised)
            status = function(native.ptr, *args)
            new_errors, new_raised = self._errors[errors:], self._raised[raised:]
            del self._errors[errors:], self._raised[raised:]
            if new_raised:
                raise new_raised[0]
            if status != 0:
                raise PlotaraError(status, n.last_error(), member)
            if new_errors:
                source, description = new_errors[0]
                number, routine = _parse_source(source)
                raise PlotaraError(number, description, member, routine)

    def _listen(self, index):
        ref = weakref.ref(self)  # the C control's callback must not keep the Control alive

        def trampoline(user, event, source, description):
            me = ref()
            if me is None or me._native is None:  # closed: from a handler, the running call still ends
                return
            name = EVENTS[event]
            handler = me._handlers.get(name)
            try:
                if event == n.ERROR_MSG:
                    source, description = source.decode("utf-8", "replace"), description.decode("utf-8", "replace")
                    if handler is None:
                        me._errors.append((source, description))
                    else:
                        handler(source, description)
                elif handler is not None and event == n.VIEW_CHANGED:
                    handler(int(source))
                elif handler is not None:
                    handler()
            except BaseException as x:  # carried out of the C call, raised there
                me._raised.append(x)

        callback = n.HANDLER(trampoline)
        self._call("on", n.lib.plotara_set_event_handler, index, callback, None)
        self._callbacks[index] = callback

    # ---- the interface by name
    def _invoke(self, m, values):
        keep = []
        count = len(values)
        args = (n.Value * max(count, 1))(*[to_value(v, keep) for v in values])
        result = n.Value()
        with self._lock:  # the results live until the next call
            self._call(m.name, n.lib.plotara_invoke, m.name.encode(), count, args, None, ctypes.byref(result))
            value = from_value(result)
            outs = [from_value(args[i]) for i, p in enumerate(m.params) if p.out]
        if not outs:
            return value
        if m.result != n.EMPTY:
            return (value, *outs)
        return outs[0] if len(outs) == 1 else tuple(outs)

    def invoke(self, name: str, *args: Any, **kwargs: Any) -> Any:
        """Calls a method by name (without regard to letter case) with positional and named arguments;
        None leaves an optional one out. A method that writes back arguments (GetAxisNames, ...) returns
        them, after its result if it has one."""
        m = self._member(name)
        if not m.is_method:
            if args or kwargs:
                raise TypeError(f"plotara: {m.name} is a property: it takes no arguments")
            return self.get(m.name)
        return getattr(self, m.name)(*args, **kwargs)

    def get(self, name: str) -> Any:
        """The value of a property by name."""
        result = n.Value()
        with self._lock:
            self._call(name, n.lib.plotara_get, text(name, "a property name"), ctypes.byref(result))
            return from_value(result)

    def put(self, name: str, value: Any) -> None:
        """Sets a property by name."""
        keep = []
        self._call(name, n.lib.plotara_put, text(name, "a property name"), to_value(value, keep))

    def _member(self, name):
        m = _MEMBERS.get(_BY_LOWER.get(name.lower(), "")) if isinstance(name, str) else None
        if m is None:
            text(name, "a member name")  # a NUL in it is a ValueError, as anywhere else
            hint = _members.nearest(name, _MEMBERS)
            raise PlotaraError(438, "Object doesn't support this property or method" +
                               (f" (did you mean {hint}?)" if hint else ""), name)
        return m

    def __getattr__(self, name):
        # Reached only for names the class does not have: another letter case, or no member at all.
        if name.startswith("_"):  # probes such as __array__ get no suggestion
            raise AttributeError(name, name=name, obj=self)
        canonical = _BY_LOWER.get(name.lower())
        if canonical:
            return getattr(self, canonical)
        hint = _members.nearest(name, list(_MEMBERS) + [a for a in dir(Control) if not a.startswith("_")])
        raise AttributeError(f"Control has no member {name!r}" + (f"; did you mean {hint!r}?" if hint else ""),
                             name=name, obj=self)

    def __setattr__(self, name, value):
        if name.startswith("_") or hasattr(type(self), name):
            object.__setattr__(self, name, value)  # a property's setter, or the AttributeError of a read-only one
            return
        canonical = _BY_LOWER.get(name.lower())
        if canonical:
            setattr(self, canonical, value)
            return
        hint = _members.nearest(name, _MEMBERS)
        raise AttributeError(f"Control has no member {name!r}" + (f"; did you mean {hint!r}?" if hint else ""),
                             name=name, obj=self)

    # ---- host services
    def resize(self, width: int, height: int) -> None:
        """Makes the picture width x height pixels (1 to 100000)."""
        width, height = c_int(width, "width"), c_int(height, "height")
        with self._lock:
            self._views[:] = [v for v in self._views if v() is not None]
            if self._views:
                raise BufferError("plotara: arrays from picture_array() still look at the picture; "
                                  "delete them (or keep copies) before resizing")
            self._call("resize", n.lib.plotara_resize, width, height)

    def add_points(self, x: Any, y: Any = None, e: Any = None) -> None:
        """Appends points to the last data set of the current graph: x, y and optionally e (error values),
        each a sequence of real numbers, a numpy array of any real dtype (contiguous or not) or a pandas
        Series (a DataFrame's column). add_points(series) takes the series' index as x. Times (numpy
        datetime64, a pandas DatetimeIndex or datetime Series, with or without a zone) become seconds
        since 1970-01-01 UTC, the values of a time axis (AxisTime); timedelta64 values become seconds.

        NaN and the infinities mark missing values: a point whose x or y is one is left out (a line
        joins the points on either side), an e that is one gives no error bar."""
        if y is None:
            index = series_index(x)
            if index is None:
                raise TypeError("plotara: add_points() needs x and y (or one pandas Series)")
            x, y = index, x
        px, kx, nx = as_doubles(x, "x")
        py, ky, ny = as_doubles(y, "y")
        pe, ke, ne = as_doubles(e, "e")
        if ne is None:
            ne = nx
        if not nx == ny == ne:
            raise ValueError(f"plotara: x, y and e differ in length ({nx}, {ny}, {ne})")
        self._call("add_points", n.lib.plotara_add_points, px, py, pe, nx)

    def on(self, event: str, handler: Optional[Callable[..., Any]]) -> None:
        """Calls handler when the event is raised: ErrorMsg with (source, description), ViewChanged (after
        the user changed a graph's view: a zoom, a pan, an unzoom, the wheel, a pinch, the keys) with the
        graph's index, the others with no arguments. None removes it. An exception in the handler is
        raised by the call that caused the event. See the class's help for what a handler may do."""
        if event not in EVENTS:
            raise ValueError(f"unknown event {event!r} (one of {', '.join(EVENTS)})")
        index = EVENTS.index(event)
        with self._lock:
            if handler is None:
                self._handlers.pop(event, None)
                if index != n.ERROR_MSG:
                    self._call("on", n.lib.plotara_set_event_handler, index, n.HANDLER(), None)
                    self._callbacks.pop(index, None)
                return
            if not callable(handler):
                raise TypeError(f"plotara: the handler of {event} must be callable")
            self._handlers[event] = handler
            if index not in self._callbacks:
                self._listen(index)

    # ---- navigation beyond the mouse: positions in pixels of the picture; shift 1 Shift, 2 Ctrl, 4 Alt
    def _gesture(self, name, function, *args):
        taken = ctypes.c_int()
        self._call(name, function, *args, ctypes.byref(taken))
        return bool(taken.value)

    def wheel(self, x: float, y: float, delta: int, shift: int = 0) -> bool:
        """The wheel turned over (x, y): delta in eighths of a degree (120 a notch; positive zooms in about
        the pointer, four notches by 2); with Shift only the X axes, with Ctrl only the Y axes. True when
        the control took it (over a plot area that allows zoom, WheelZoom on)."""
        return self._gesture("wheel", n.lib.plotara_wheel, c_double(x, "x"), c_double(y, "y"), c_int(delta, "delta"),
                             c_int(shift, "shift"))

    def pinch(self, x: float, y: float, factor: float) -> bool:
        """A pinch over (x, y): zooms about it by factor (above 1 zooms in). True when taken."""
        return self._gesture("pinch", n.lib.plotara_pinch, c_double(x, "x"), c_double(y, "y"),
                             c_double(factor, "factor"))

    def pan(self, x: float, y: float, dx: float, dy: float) -> bool:
        """A two-finger scroll over (x, y): the content follows the fingers by (dx, dy). True when taken."""
        return self._gesture("pan", n.lib.plotara_pan, c_double(x, "x"), c_double(y, "y"), c_double(dx, "dx"),
                             c_double(dy, "dy"))

    def key(self, key: Union[int, str], shift: int = 0) -> bool:
        """A key pressed while the control has the focus (a code, or a name of KEYS): the arrows pan by the
        scroll bars' small change, PageUp and PageDown by their large change, + and - zoom by 2, Home
        and Escape show the full range, C with Ctrl (shift 2) copies. True when the control took it."""
        if isinstance(key, str) and key not in KEYS:
            raise ValueError(f"plotara: unknown key {key!r} (a code, or one of {', '.join(KEYS)})")
        code = KEYS[key] if isinstance(key, str) else c_int(key, "key")
        return self._gesture("key", n.lib.plotara_key, code, c_int(shift, "shift"))

    def nearest_point(self, x: float, y: float, within: float = 8) -> Optional[Point]:
        """The drawn data point nearest (x, y) within `within` pixels, in the graph whose plot area lies
        there, or None."""
        found = n.NearestPoint()
        with self._lock:
            self._call("nearest_point", n.lib.plotara_nearest_point, c_double(x, "x"), c_double(y, "y"),
                       c_double(within, "within"), ctypes.byref(found))
            if not found.found:
                return None
            return Point(found.graph, found.data_set, found.index, found.x, found.y,
                         found.name.decode("utf-8", "replace"), found.distance)

    def picture(self) -> tuple[bytes, int, int, int]:
        """The picture as (pixels, width, height, stride): pixels is bytes, height rows of stride bytes,
        each pixel 0xXXRRGGBB in native byte order (B, G, R, X on little-endian machines), the top byte
        X not used."""
        with self._lock:
            ptr, w, h, s = self._pixels()
            return (ctypes.string_at(ptr, s * h) if ptr else b""), w, h, s

    def _pixels(self):
        ptr = ctypes.POINTER(ctypes.c_uint32)()
        w, h, s = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        self._call("picture", n.lib.plotara_picture, ctypes.byref(ptr), ctypes.byref(w), ctypes.byref(h),
                   ctypes.byref(s))
        return ptr, w.value, h.value, s.value

    def picture_array(self) -> Any:
        """The picture as a read-only numpy array of height x width x 3 (red, green, blue) that looks at
        the control's own pixels, without a copy: it shows each later drawing (copy() keeps one). While
        such an array exists the control cannot be resized. A vector control re-renders its picture
        for every drawing, so it gives a copy."""
        import numpy
        with self._lock:
            ptr, w, h, s = self._pixels()
            if not ptr or not w or not h:
                return numpy.zeros((h, w, 3), dtype=numpy.uint8)
            block = (ctypes.c_uint8 * (s * h)).from_address(ctypes.addressof(ptr.contents))
            block._native = self._native  # the pixels stay while the array does, even after close()
            raw = numpy.frombuffer(block, dtype=numpy.uint8)
            # 0xXXRRGGBB words: red is byte 2 on little-endian machines, byte 1 on big-endian ones.
            first, step = (2, -1) if sys.byteorder == "little" else (1, 1)
            rgb_view = numpy.lib.stride_tricks.as_strided(raw[first:], shape=(h, w, 3), strides=(s, 4, step),
                                                          writeable=False)
            if self._vector:
                return rgb_view.copy()
            self._views.append(weakref.ref(raw))
            return rgb_view

    def save(self, file: Union[str, os.PathLike, BinaryIO], format: Optional[str] = None) -> None:
        """Writes the picture to a path (.png, .svg or .pdf by its extension, or format) or to a binary
        file object (format, "png" if none)."""
        if hasattr(file, "write"):
            file.write(self.to_bytes(format or "png"))
            return
        path = os.fsencode(file)
        if b"\0" in path:
            raise ValueError(f"plotara: the path holds a NUL character ({path!r})")
        if format is not None and not path.lower().endswith(b"." + format.lower().encode()):
            with open(path, "wb") as f:
                f.write(self.to_bytes(format))
            return
        self._call("save", n.lib.plotara_save, path)

    def to_bytes(self, format: str = "png") -> bytes:
        """The picture as the bytes of a PNG, SVG or PDF file. A vector control gives vector SVG and PDF."""
        data, size = ctypes.c_void_p(), ctypes.c_size_t()
        with self._lock:
            self._call("to_bytes", n.lib.plotara_encode, text(format, "the format"), ctypes.byref(data),
                       ctypes.byref(size))
            return ctypes.string_at(data, size.value)

    def _repr_png_(self):
        return self.to_bytes("png")

    def _repr_svg_(self):
        # A raster control's SVG would only wrap its PNG: notebooks then show the PNG.
        return self.to_bytes("svg").decode("utf-8") if self._vector else None


for _m in _MEMBERS.values():
    setattr(Control, _m.name, _make_method(_m) if _m.is_method else _make_property(_m))
del _m
