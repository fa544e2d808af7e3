#!/usr/bin/env python3
"""Random call sequences through the Python module (bindings/python/plotara), meant to run against a
sanitized libplotara (see README.md): every member with hostile values (NaN, infinities, numbers beyond
every C type, texts with NUL and line breaks, bytes, lists, nested and odd objects), property writes and
reads, resizes, points, gestures, the picture and its files, handlers that call back into the control
(draw, reset, add graphs, replace handlers, raise, close it) and now and then a second thread on the same
control.

A case is one control and up to 60 operations, all drawn from random.Random(seed). The errors the
module documents (PlotaraError, TypeError, ValueError, OverflowError, AttributeError, BufferError) and the
handlers' own exception are expected; any other exception is a finding and is printed with its seed. A
crash or a sanitizer report ends the process: the seed of the running case is in --status.

    fuzz/py_fuzz.py --seconds 1800 --status build-fuzz/py_fuzz.seed     # run
    fuzz/py_fuzz.py --seed 1234 --cases 1 --verbose                      # replay one case
"""
import argparse
import math
import random
import sys
import threading
import time
import traceback

import plotara
from plotara import PlotaraError

try:
    import numpy
except ImportError:  # the arrays are left out
    numpy = None

# BufferError: a resize while an array from picture_array() looks at the pixels.
EXPECTED = (PlotaraError, TypeError, ValueError, OverflowError, AttributeError, BufferError)
STATE_CHANGING = ["Refresh", "Reset", "NewGraph", "NewXAxis", "NewYAxis", "NewDataSet", "AddDataPoint",
                  "DeleteGraph", "RefreshCurrentGraph", "SetSelectedGraph", "AddText", "Unzoom"]


class HandlerBoom(Exception):
    """Raised by a handler on purpose: the call that raised the event must raise it."""


def hostile(rnd, kept):
    """A value a Python caller might pass."""
    k = rnd.randrange(24)
    if k == 0:
        return rnd.choice([0, 1, -1, 2**15, -2**15 - 1, 2**31 - 1, 2**31, -2**31 - 1, 2**32 + 320, 2**63, -2**64,
                           10**400])
    if k == 1:
        return rnd.choice([0.0, -0.0, math.nan, math.inf, -math.inf, 1e300, -1e300, 3.5e38, 1e-320, 1e15])
    if k == 2:
        return rnd.choice(["", "a", "Refresh\0junk", "line\nbreak", "\x01\x7f", "é☃𝄞", "x" * rnd.choice([255, 256, 70000]),
                           "\ud800", "%s%n", "1e999", "NaN", "-0"])
    if k == 3:
        return rnd.choice([True, False])
    if k == 4:
        return None
    if k == 5:
        return rnd.choice([b"bytes", bytearray(b"x"), memoryview(b"m")])
    if k == 6:
        return [rnd.random() for _ in range(rnd.randrange(4))]
    if k == 7:
        return rnd.choice([(1, 2), {"a": 1}, object(), complex(1, 2), [[1, 2], [3, 4]], ["a", "b\nc"], float, slice(1)])
    if k == 12 and numpy is not None:
        return rnd.choice([numpy.arange(rnd.randrange(5), dtype=rnd.choice(["f8", "f4", "i2", ">f8", "c16", "u1"])),
                           numpy.zeros((2, 3)), numpy.float32("nan"), numpy.int64(2**40), numpy.array([]),
                           numpy.arange(10.0)[::3], numpy.array(["a", "b"]), numpy.datetime64("2026-01-01")])
    if k == 8 and kept:  # something the control handed out, passed straight back in
        return rnd.choice(kept)
    if k == 9:
        return rnd.randrange(-3, 40)
    if k == 10:
        return rnd.uniform(-1e6, 1e6)
    if k == 11:
        return rnd.choice(["Sales", "X", "Y", "", "g1", "data set"])
    return rnd.randrange(0, 10)


class Case:
    def __init__(self, seed, verbose):
        self.rnd = random.Random(seed)
        self.verbose = verbose
        self.kept = []
        self.members = plotara.members()
        self.control = None
        self.depth = 0
        self.handled = 0
        self.closed_in_handler = False
        self.arrays = []

    def log(self, *what):
        if self.verbose:
            print("  " * self.depth, *what, file=sys.stderr)

    def create(self):
        rnd = self.rnd
        w = rnd.choice([160, 160, 1, 0, -5, 2**31, 320, 100001])
        h = rnd.choice([120, 120, 1, 0, 2**33, 200])
        dpi = rnd.choice([96, 96, 24, 192, 2400, 0, math.nan, 1e9])
        options = dict(antialias=rnd.random() < 0.5, vector=rnd.random() < 0.5)
        self.log("Control", w, h, dpi, options)
        try:
            self.control = plotara.Control(width=w, height=h, dpi=dpi, **options)
        except EXPECTED:
            self.control = plotara.Control(width=160, height=120, **options)
        self.closed_in_handler = False
        for event in plotara.EVENTS:
            if rnd.random() < 0.6:
                self.control.on(event, self.handler_for(event))

    def handler_for(self, event):
        def handler(*args):
            if not isinstance(args, tuple):
                raise AssertionError("handler arguments")
            self.kept.extend(a for a in args if isinstance(a, (str, int)))
            if self.depth >= 3 or self.handled > 40:
                return
            self.handled += 1
            self.depth += 1
            try:
                self.react(event)
            finally:
                self.depth -= 1
        return handler

    def react(self, event):
        rnd, c = self.rnd, self.control
        k = rnd.randrange(10)
        self.log("handler", event, k)
        if k < 3:
            return
        if k < 6:
            self.guard(lambda: getattr(c, rnd.choice(STATE_CHANGING))(*[hostile(rnd, self.kept)
                                                                         for _ in range(rnd.randrange(3))]))
        elif k == 6:
            c.close()
            self.closed_in_handler = True
            try:
                c.Refresh()
            except PlotaraError as e:
                if e.number != 91:
                    raise AssertionError(f"a call on a closed control failed with {e.number}") from e
            else:
                raise AssertionError("a call on a closed control succeeded")
        elif k == 7:
            raise HandlerBoom(event)
        elif k == 8:
            self.guard(lambda: c.on(rnd.choice(plotara.EVENTS), rnd.choice([None, self.handler_for(event)])))
        else:
            self.step()

    def guard(self, f):
        try:
            r = f()
        except EXPECTED + (HandlerBoom,) as e:
            self.log("  ->", type(e).__name__, str(e)[:80])
            return None
        self.log("  ->", repr(r)[:80])
        if isinstance(r, (str, int, float, list, tuple)):
            self.kept.append(r)
            del self.kept[:-16]
        return r

    def call(self):
        rnd, c = self.rnd, self.control
        name = rnd.choice(self.members)
        if rnd.random() < 0.05:
            name = rnd.choice([name.lower(), name.upper(), name + "x", "Refresh\0junk", "\u0130", ""])
        attr = getattr(type(c), name, None)
        if isinstance(attr, property) or attr is None:
            if rnd.random() < 0.5:
                self.log("get", name)
                self.guard(lambda: getattr(c, name))
            else:
                v = hostile(rnd, self.kept)
                self.log("put", name, repr(v)[:60])
                self.guard(lambda: setattr(c, name, v))
            return
        args = [hostile(rnd, self.kept) for _ in range(rnd.randrange(6))]
        kwargs = {}
        if rnd.random() < 0.2:
            kwargs[rnd.choice(["Name", "Symbol", "X", "Y", "Graph", "bogus"])] = hostile(rnd, self.kept)
        self.log("call", name, repr(args)[:100], kwargs.keys())
        if rnd.random() < 0.1:
            self.guard(lambda: c.invoke(name, *args, **kwargs))
        else:
            self.guard(lambda: getattr(c, name)(*args, **kwargs))

    def step(self):
        rnd, c = self.rnd, self.control
        k = rnd.randrange(16)
        if k < 6:
            self.call()
        elif k == 6:
            self.log("Refresh")
            self.guard(c.Refresh)
        elif k == 7:
            count = rnd.choice([0, 1, 3, 50])
            xs = [hostile(rnd, self.kept) if rnd.random() < 0.1 else rnd.uniform(-10, 10) for _ in range(count)]
            if numpy is not None and rnd.random() < 0.3:
                xs = numpy.array([float(i) for i in range(count)])[:: rnd.choice([1, -1])]
            ys = [rnd.choice([math.nan, math.inf, 1e300, rnd.random()]) for _ in range(count)]
            es = None if rnd.random() < 0.5 else ys[: rnd.randrange(count + 1)]
            self.log("add_points", count)
            self.guard(lambda: c.add_points(xs, ys, es))
        elif k == 8:
            w, h = hostile(rnd, self.kept), rnd.choice([1, 120, 2**32 + 120, -1, 0.5, "120"])
            self.log("resize", w, h)
            self.guard(lambda: c.resize(w, h))
        elif k == 9:
            f = rnd.choice([c.wheel, c.pinch, c.pan, c.key, c.nearest_point])
            args = [rnd.uniform(0, 160), rnd.uniform(0, 120)] if f != c.key else [rnd.choice([37, 107, "Home", "bogus", 2**40])]
            args += [hostile(rnd, self.kept) for _ in range(rnd.randrange(3))]
            self.log(f.__name__, args)
            self.guard(lambda: f(*args))
        elif k == 10:
            fmt = rnd.choice(["png", "svg", "pdf", "gif", "", "svg\0", None])
            self.log("to_bytes", fmt)
            self.guard(lambda: c.to_bytes(fmt) if fmt is not None else c.picture())
        elif k == 11:
            event = rnd.choice(list(plotara.EVENTS) + ["Bogus"])
            self.log("on", event)
            self.guard(lambda: c.on(event, rnd.choice([None, self.handler_for(event), 42])))
        elif k == 12 and self.depth == 0 and rnd.random() < 0.3:
            self.two_threads()
        elif k == 12 and numpy is not None:  # an array over the picture, kept across resizes and close()
            self.log("picture_array")
            a = self.guard(c.picture_array)
            if a is not None:
                self.arrays.append(a)
                del self.arrays[:-3]
                int(self.arrays[0].sum())
        elif k == 13 and self.depth == 0 and rnd.random() < 0.2:
            self.log("close")
            c.close()
            self.create()
        else:
            self.call()

    def two_threads(self):
        """A second thread on the same control while this one goes on: the lock serialises them."""
        c, seed = self.control, self.rnd.randrange(2**32)
        self.log("thread", seed)

        def other():
            rnd = random.Random(seed)
            for _ in range(8):
                try:
                    rnd.choice([lambda: c.Refresh(), lambda: c.NewGraph("t"), lambda: c.to_bytes("png"),
                                lambda: setattr(c, "AxisColor", 255), lambda: c.GetGraphNames()])()
                except EXPECTED + (HandlerBoom,):
                    pass

        t = threading.Thread(target=other)
        t.start()
        for _ in range(4):
            self.call()
        t.join()

    def run(self):
        self.create()
        for _ in range(self.rnd.randrange(60)):
            self.step()
            if self.closed_in_handler:
                self.create()
        self.control.close()
        for a in self.arrays:  # the pixels outlive the control
            int(a.sum())


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--seconds", type=float, default=60)
    p.add_argument("--seed", type=int, default=None, help="first case's seed (default: from the time)")
    p.add_argument("--cases", type=int, default=None)
    p.add_argument("--status", default=None, help="file that holds the seed of the running case")
    p.add_argument("--verbose", action="store_true")
    a = p.parse_args()
    seed = a.seed if a.seed is not None else int(time.time())
    end = time.monotonic() + a.seconds
    cases = findings = 0
    while time.monotonic() < end and (a.cases is None or cases < a.cases):
        if a.status:
            with open(a.status, "w") as f:
                f.write(f"{seed}\n")
        try:
            Case(seed, a.verbose).run()
        except Exception:  # noqa: BLE001 - every other exception is a finding
            findings += 1
            print(f"finding: seed {seed}", file=sys.stderr)
            traceback.print_exc()
        cases += 1
        seed += 1
    print(f"py_fuzz: {cases} cases, {findings} findings, last seed {seed - 1}")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
