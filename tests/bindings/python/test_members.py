"""Every member of the interface is a real method or property with its reference as help, the member
table's signature, type checks before the call, and misspelt names answered with the nearest one."""
import ast
import inspect
import pydoc
import runpy
import sys

import pytest

import plotara
from plotara import control


def test_every_member_is_a_documented_method_or_property():
    for name in plotara.members():
        attribute = inspect.getattr_static(plotara.Control, name)
        if isinstance(attribute, property):
            assert attribute.fget is not None, name
        else:
            assert callable(attribute) and attribute.__name__ == name, name
        doc = attribute.__doc__
        assert f" {name}" in doc and "(not described)" not in doc, name
        assert not doc.startswith("."), f"{name} has no meaning in its help"


@pytest.mark.parametrize("member, parameters, returns", [
    ("NewGraph", "GraphName: str, x1: float = 0.0, x2: float = 0.0, y1: float = 0.0, y2: float = 0.0", None),
    ("NewDataSet", "Legend: str, InLegendTable: bool = True", None),
    ("SelectXaxis", "Index: int = 1", int),
    ("GetAxisNames", "", tuple[list[str], int]),
    ("GetSelectedData", "", int),
    ("AddText", "Text: str, TextX: float, TextY: float, TextOri: int, TextFont: str, TextColor: int, "
                "TextAngle: int, TextPercent: bool", None),
])
def test_signatures_are_the_member_tables(member, parameters, returns):
    signature = inspect.signature(getattr(plotara.Control, member))
    assert str(signature).startswith(f"(self{', ' if parameters else ''}{parameters})")
    assert signature.return_annotation == returns


def test_help_shows_parameters_meaning_unit_and_range():
    text = pydoc.render_doc(plotara.Control.NewGraph, renderer=pydoc.plaintext)
    for part in ("GraphName: str", "x1: float = 0.0", "Sub NewGraph(", "Appends a graph", "Unit: data values"):
        assert part in text, part
    text = pydoc.render_doc(plotara.Control.AxisThickness, renderer=pydoc.plaintext)
    for part in ("Width of the axis line.", "Unit: pixels", "Range: 0 to 255", "Default: 1"):
        assert part in text, part


def test_the_stub_is_current_and_names_every_member(source_dir):
    stub = inspect.getfile(control).replace(".py", ".pyi")
    sys.argv = ["make-stub.py", "--check", stub]
    with pytest.raises(SystemExit) as done:
        runpy.run_path(str(source_dir / "bindings/python/make-stub.py"), run_name="__main__")
    assert done.value.code == 0
    tree = ast.parse(open(stub, encoding="utf-8").read())
    (control_class,) = [n for n in tree.body if isinstance(n, ast.ClassDef) and n.name == "Control"]
    defined = {n.name for n in control_class.body if isinstance(n, ast.FunctionDef)}
    assert set(plotara.members()) <= defined
    assert {"add_points", "to_bytes", "save", "picture_array", "on"} <= defined


@pytest.mark.parametrize("name, suggestion", [
    ("AxisColr", "AxisColor"), ("newgrph", "NewGraph"), ("add_point", "add_points"), ("Refesh", "Refresh"),
])
def test_misspelt_names_raise_attribute_error_naming_the_nearest(chart, name, suggestion):
    with pytest.raises(AttributeError, match=f"did you mean '{suggestion}'"):
        getattr(chart, name)
    with pytest.raises(AttributeError):
        setattr(chart, name, 1)
    assert name not in vars(chart)


def test_names_in_any_letter_case_reach_the_member(chart):
    chart.axiscolor = 255
    assert chart.AXISCOLOR == 255 == chart.AxisColor
    assert chart.invoke("getselectedgraph") == 0
    chart.put("axistitle", "Months")
    assert chart.get("AxisTitle") == "Months"


def test_properties_read_back_what_was_put(chart):
    for name, value in [("AxisColor", 255), ("AxisTitle", "Months"), ("AxisLog", True), ("MathFuncX2", 2.5),
                        ("DataLegend", "line\nbreak")]:
        setattr(chart, name, value)
        assert getattr(chart, name) == value, name
    with pytest.raises(AttributeError):
        chart.Version = "2"  # read-only
    assert chart.Version == plotara.__version__


def test_methods_take_named_arguments_and_return_what_they_write_back(chart):
    chart.SymbolStyle(Symbol=5, Size=2.5)
    assert chart.DataSymbol == 5
    chart.NewXAxis("second")
    names, count = chart.GetAxisNames()
    assert count == 3 and names[:3] == ["x-axis", "y-axis", "second"]
    chart.NewDataSet("b")
    assert chart.GetSelectedData() == 1


@pytest.mark.parametrize("call", [
    lambda c: c.NewGraph(5),                      # a number for a text
    lambda c: c.NewGraph("g", "0"),               # a text for a number
    lambda c: c.SetSelectedGraph(0.5),            # a float for an integer
    lambda c: c.SetSelectedGraph(None),           # nothing for a required argument
    lambda c: c.NewGraph(),                       # a required argument left out
    lambda c: c.NewGraph("g", Nope=1),            # an argument the method has not
    lambda c: c.Refresh(1),                       # one argument too many
    lambda c: setattr(c, "AxisColor", "red"),
    lambda c: setattr(c, "AxisTitle", 3),
    lambda c: setattr(c, "AxisLog", 1.5),
    lambda c: c.invoke("NewGraph", ["a list"]),
])
def test_a_wrong_argument_is_a_type_error_before_the_call(chart, call):
    before = (chart.GetGraphNames(), chart.AxisColor, chart.AxisTitle)
    with pytest.raises(TypeError):
        call(chart)
    assert (chart.GetGraphNames(), chart.AxisColor, chart.AxisTitle) == before


def test_the_package_and_its_library_are_the_installed_ones():
    import os
    from plotara import _native
    assert plotara.__file__.startswith(sys.prefix)  # the virtual environment's, not the source tree's
    assert os.path.dirname(_native.lib._name) == os.path.dirname(plotara.__file__)
