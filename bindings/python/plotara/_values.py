"""Python values to the C interface's values and back, refusing what would be converted in silence."""
import ctypes
import numbers
import operator

from . import _native as n

# The Python types a parameter of each type of the interface takes (before the call, so that a wrong
# one is a TypeError and not an error of the control). Booleans are numbers as in the control.
_INTEGER = ("Byte", "Integer", "Long")
_REAL = ("Single", "Double")


def text(s, what):
    """s as UTF-8 for the C interface, which ends a text at its first NUL: so a NUL is refused."""
    if not isinstance(s, str):
        raise TypeError(f"plotara: {what} must be a str, not {type(s).__name__}")
    if "\0" in s:
        raise ValueError(f"plotara: {what} holds a NUL character ({s!r})")
    return s.encode("utf-8")


def c_int(v, what):
    """v as a C int: an integer (not a float, which would be cut) that fits."""
    try:
        v = operator.index(v)
    except TypeError:
        raise TypeError(f"plotara: {what} must be an integer, not {type(v).__name__}") from None
    if not -2**31 <= v < 2**31:
        raise OverflowError(f"plotara: {what} {v} is out of range")
    return v


def c_double(v, what):
    """v as a C double: a real number (not a text, which float() would read)."""
    if not _is_real(v):
        raise TypeError(f"plotara: {what} must be a real number, not {type(v).__name__}")
    return float(v)


def _is_integer(v):
    return isinstance(v, numbers.Integral) or type(v).__name__ == "bool_"  # numpy's bool is no Integral


def _is_real(v):
    return isinstance(v, numbers.Real) or _is_integer(v)


def check(v, type_name, what):
    """Raises TypeError unless v suits a value of the interface's type type_name ("Integer", ...)."""
    if type_name == "String":
        ok = isinstance(v, str)
    elif type_name == "Boolean" or type_name in _INTEGER:
        ok = _is_integer(v)
    elif type_name in _REAL:
        ok = _is_real(v)
    else:  # a Variant: a text or a number
        ok = isinstance(v, str) or _is_real(v)
    if not ok:
        wanted = {"String": "a str", "Boolean": "a bool"}.get(type_name) or (
            "an int" if type_name in _INTEGER else "a real number" if type_name in _REAL else "a str or a number")
        raise TypeError(f"plotara: {what} takes {wanted} ({type_name}), not {type(v).__name__} {v!r}")


def to_value(v, keep):
    """A Python value as a C value; keep holds what the value points to for the call's duration."""
    out = n.Value()
    if v is None:
        out.type = n.MISSING
    elif isinstance(v, bool) or type(v).__name__ == "bool_":
        out.type, out.integer = n.BOOLEAN, int(bool(v))
    elif isinstance(v, numbers.Integral) and -2**31 <= int(v) < 2**31:
        out.type, out.integer = n.LONG, int(v)
    elif isinstance(v, numbers.Real):  # an int beyond Long goes as a number: the control says it overflows
        out.type, out.number = n.DOUBLE, float(v)
    elif isinstance(v, str):
        b = ctypes.create_string_buffer(text(v, "a text"))
        keep.append(b)
        out.type, out.text = n.TEXT, ctypes.addressof(b)
    elif isinstance(v, (list, tuple)) and all(isinstance(s, str) for s in v):
        texts = (ctypes.c_char_p * (len(v) + 1))(*[text(s, "a text in a list") for s in v], None)
        keep.append(texts)
        out.type, out.integer, out.text = n.TEXTS, len(v), ctypes.addressof(texts)
    else:
        raise TypeError(f"plotara: cannot pass a {type(v).__name__} ({v!r})")
    return out


def from_value(v):
    if v.type == n.BOOLEAN:
        return bool(v.integer)
    if v.type == n.LONG:
        return int(v.integer)
    if v.type == n.DOUBLE:
        return float(v.number)
    if v.type == n.TEXT:
        return ctypes.string_at(v.text).decode("utf-8", "replace") if v.text else ""
    if v.type == n.TEXTS:
        texts = ctypes.cast(v.text, ctypes.POINTER(ctypes.c_char_p))
        return [texts[i].decode("utf-8", "replace") for i in range(v.integer)]
    return None
