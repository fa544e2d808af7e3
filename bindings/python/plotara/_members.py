"""The control's members as the C interface describes them, and what Python makes of them: signatures,
help texts, the nearest name to a misspelt one."""
import ctypes
import difflib
import inspect
import keyword
import textwrap

from . import _native as n
from ._values import from_value

_ANNOTATION = {"Boolean": bool, "Byte": int, "Integer": int, "Long": int, "Single": float, "Double": float,
               "String": str, "String()": list[str]}
_RESULT = {n.BOOLEAN: bool, n.LONG: int, n.DOUBLE: float, n.TEXT: str, n.TEXTS: list[str]}


class Param:
    def __init__(self, info):
        self.name = info.name.decode()
        self.python_name = self.name + "_" if keyword.iskeyword(self.name) else self.name
        self.type_name = info.type_name.decode()
        self.optional = bool(info.optional)
        self.out = bool(info.out)
        self.default = from_value(info.default) if self.optional else inspect.Parameter.empty


class Member:
    def __init__(self, name):
        self.name = name
        info = n.MemberInfo()
        if n.lib.plotara_member_info(name.encode(), ctypes.byref(info)) != 0:
            raise RuntimeError(f"plotara: the member table does not describe {name}: {n.last_error()}")
        self.is_method = info.kind == n.METHOD
        self.writable = bool(info.writable)
        self.result = info.result
        self.params = []
        for i in range(info.params):
            p = n.ParamInfo()
            if n.lib.plotara_member_param(name.encode(), i, ctypes.byref(p)) != 0:
                raise RuntimeError(f"plotara: parameter {i} of {name}: {n.last_error()}")
            self.params.append(Param(p))
        self.inputs = [p for p in self.params if not p.out]
        self.outputs = [p for p in self.params if p.out]
        doc = n.Reference()
        if n.lib.plotara_member_reference(name.encode(), ctypes.byref(doc)) != 0:
            raise RuntimeError(f"plotara: no reference for {name}: {n.last_error()}")
        self.reference = {k: (getattr(doc, k) or b"").decode() for k, _ in n.Reference._fields_}

    @property
    def python_type(self):
        return _RESULT.get(self.result)

    def returns(self):
        """What the Python method returns: the result, then what the method writes back."""
        outs = [_ANNOTATION.get(p.type_name, object) for p in self.outputs]
        if self.result != n.EMPTY:
            outs.insert(0, self.python_type)
        if not outs:
            return None
        return outs[0] if len(outs) == 1 else tuple(outs)

    def signature(self):
        params = [inspect.Parameter("self", inspect.Parameter.POSITIONAL_OR_KEYWORD)]
        for p in self.inputs:
            default = inspect.Parameter.empty
            if p.optional:
                default = p.default
            params.append(inspect.Parameter(p.python_name, inspect.Parameter.POSITIONAL_OR_KEYWORD,
                                            default=default, annotation=_ANNOTATION.get(p.type_name, object)))
        returns = self.returns()
        if isinstance(returns, tuple):
            returns = tuple.__class_getitem__(returns)
        return inspect.Signature(params, return_annotation=returns)

    def doc(self):
        """The help text: the member's declaration, meaning, unit, default and range, and what Python
        returns for a method that writes back its arguments."""
        r = self.reference
        lines = [textwrap.fill(r["meaning"][:1].upper() + r["meaning"][1:] + ".", 100), "", r["signature"]]
        for label, key in (("Unit", "unit"), ("Default", "default_value"), ("Range", "range")):
            if r[key]:
                lines.append(f"{label}: {r[key]}")
        if self.outputs:
            names = ", ".join(p.name for p in self.outputs)
            lines += ["", f"Returns {names}" + (" after the result." if self.result != n.EMPTY else ".")]
        if not self.is_method and not self.writable:
            lines += ["", "Read-only."]
        return "\n".join(lines)


def load():
    """Every member of the interface, by name."""
    names = [n.lib.plotara_member_name(i).decode() for i in range(n.lib.plotara_member_count())]
    return {name: Member(name) for name in names}


def nearest(name, names):
    """The name closest to a misspelt one, or None."""
    by_lower = {m.lower(): m for m in names}
    close = difflib.get_close_matches(name.lower(), list(by_lower), n=1, cutoff=0.6)
    return by_lower[close[0]] if close else None
