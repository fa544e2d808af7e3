"""libplotara through ctypes: loading it, the C structures and the signatures of its calls."""
import ctypes
import ctypes.util
import glob
import os

EMPTY, MISSING, BOOLEAN, LONG, DOUBLE, TEXT, TEXTS = range(7)
METHOD, PROPERTY = 1, 2
EVENTS = ("NewGraphInFront", "GraphScaleChanged", "GraphPositionChanged", "LegendPositionChanged", "ErrorMsg",
          "ViewChanged")
ERROR_MSG = EVENTS.index("ErrorMsg")
VIEW_CHANGED = EVENTS.index("ViewChanged")


class Value(ctypes.Structure):
    # text: a NUL-terminated text, or for a list an array of them ending with a NULL pointer.
    _fields_ = [("type", ctypes.c_int32), ("integer", ctypes.c_int32), ("number", ctypes.c_double),
                ("text", ctypes.c_void_p)]


class MemberInfo(ctypes.Structure):
    _fields_ = [("kind", ctypes.c_int), ("writable", ctypes.c_int), ("params", ctypes.c_int),
                ("out_mask", ctypes.c_uint32), ("result", ctypes.c_int32)]


class ParamInfo(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("type", ctypes.c_int32), ("type_name", ctypes.c_char_p),
                ("optional", ctypes.c_int), ("out", ctypes.c_int), ("default", Value)]


class Options(ctypes.Structure):
    _fields_ = [("dpi", ctypes.c_double), ("antialias", ctypes.c_int), ("vector", ctypes.c_int),
                ("png_compression", ctypes.c_int)]


class Reference(ctypes.Structure):
    _fields_ = [("signature", ctypes.c_char_p), ("meaning", ctypes.c_char_p), ("unit", ctypes.c_char_p),
                ("default_value", ctypes.c_char_p), ("range", ctypes.c_char_p)]


class NearestPoint(ctypes.Structure):
    _fields_ = [("found", ctypes.c_int), ("graph", ctypes.c_int), ("data_set", ctypes.c_int), ("index", ctypes.c_int),
                ("x", ctypes.c_double), ("y", ctypes.c_double), ("name", ctypes.c_char_p),
                ("distance", ctypes.c_double)]


HANDLER = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p)


def _candidates():
    env = os.environ.get("PLOTARA_LIBRARY")
    if env:
        return [env]
    here = os.path.dirname(os.path.abspath(__file__))
    # A wheel carries the library in the package; an installed tree has it in PREFIX/lib[/multiarch]
    # beside PREFIX/lib/pythonX.Y/site-packages/plotara; a source tree in build/.
    found = [os.path.join(here, "libplotara.so.1")]
    lib = os.path.normpath(os.path.join(here, "..", "..", ".."))
    found += [os.path.join(lib, "libplotara.so.1")] + sorted(glob.glob(os.path.join(lib, "*", "libplotara.so.1")))
    found.append(os.path.join(here, "..", "..", "..", "build", "libplotara.so.1"))
    name = ctypes.util.find_library("plotara")
    return [p for p in found if os.path.exists(p)] + ([name] if name else []) + ["libplotara.so.1"]


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
    P, I, S = ctypes.c_void_p, ctypes.c_int, ctypes.c_char_p
    D = ctypes.POINTER(ctypes.c_double)
    F, IP = ctypes.c_double, ctypes.POINTER(ctypes.c_int)
    signatures = {
        "plotara_last_error": (S, []),
        "plotara_version": (S, []),
        "plotara_create_with_options": (I, [ctypes.POINTER(Options), ctypes.POINTER(P)]),
        "plotara_destroy": (None, [P]),
        "plotara_resize": (I, [P, I, I]),
        "plotara_invoke": (I, [P, S, I, ctypes.POINTER(Value), ctypes.POINTER(S), ctypes.POINTER(Value)]),
        "plotara_get": (I, [P, S, ctypes.POINTER(Value)]),
        "plotara_put": (I, [P, S, Value]),
        "plotara_add_points": (I, [P, D, D, D, ctypes.c_size_t]),
        "plotara_member_count": (I, []),
        "plotara_member_name": (S, [I]),
        "plotara_member_info": (I, [S, ctypes.POINTER(MemberInfo)]),
        "plotara_member_param": (I, [S, I, ctypes.POINTER(ParamInfo)]),
        "plotara_member_reference": (I, [S, ctypes.POINTER(Reference)]),
        "plotara_set_event_handler": (I, [P, I, HANDLER, P]),
        "plotara_picture": (I, [P, ctypes.POINTER(ctypes.POINTER(ctypes.c_uint32)), ctypes.POINTER(I),
                                ctypes.POINTER(I), ctypes.POINTER(I)]),
        "plotara_save": (I, [P, S]),
        "plotara_encode": (I, [P, S, ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]),
        "plotara_wheel": (I, [P, F, F, I, I, IP]),
        "plotara_pinch": (I, [P, F, F, F, IP]),
        "plotara_pan": (I, [P, F, F, F, F, IP]),
        "plotara_key": (I, [P, I, I, IP]),
        "plotara_nearest_point": (I, [P, F, F, F, ctypes.POINTER(NearestPoint)]),
    }
    for name, (result, args) in signatures.items():
        f = getattr(lib, name)
        f.restype = result
        f.argtypes = args
    return lib


lib = _load()


def last_error():
    return lib.plotara_last_error().decode("utf-8", "replace")
