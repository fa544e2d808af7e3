"""The picture as bytes, files, notebook representations and a numpy view; drawing options."""
import io
import shutil
import subprocess

import numpy
import pytest

import plotara
from conftest import picture_of


def drawn(**options):
    c = plotara.Control(width=300, height=200, **options)
    c.NewGraph("Sales")
    c.NewDataSet("curve")
    c.AddMathFunc("SIN(x) * 3")
    c.Refresh()
    return c


MAGIC = {"png": b"\x89PNG\r\n", "svg": b"<?xml", "pdf": b"%PDF-"}


@pytest.mark.parametrize("format", ["png", "svg", "pdf"])
def test_bytes_files_and_file_objects_hold_the_same_document(tmp_path, format):
    c = drawn()
    data = c.to_bytes(format)
    assert data.startswith(MAGIC[format])
    buffer = io.BytesIO()
    c.save(buffer, format)
    assert buffer.getvalue()[:5] == data[:5]
    c.save(tmp_path / f"a.{format}")
    c.save(str(tmp_path / "b.out"), format=format)
    for name in (f"a.{format}", "b.out"):
        assert (tmp_path / name).read_bytes()[:5] == data[:5]
    if format == "png":  # the raster picture's file is the same byte for byte
        assert (tmp_path / "a.png").read_bytes() == data == buffer.getvalue()


def test_an_unknown_format_is_refused():
    c = drawn()
    for format in ("bmp", "", "png\0"):
        with pytest.raises((plotara.PlotaraError, ValueError)):
            c.to_bytes(format)
    with pytest.raises(plotara.PlotaraError) as caught:
        c.to_bytes("gif")
    assert "png, svg or pdf" in caught.value.text


def test_a_notebook_gets_png_and_for_a_vector_control_svg():
    # What IPython's display machinery asks a value for.
    raster, vector = drawn(), drawn(vector=True)
    assert raster._repr_png_().startswith(MAGIC["png"])
    assert raster._repr_svg_() is None  # it would only wrap the PNG
    svg = vector._repr_svg_()
    assert svg.startswith("<?xml") and "<path" in svg and "<image" not in svg
    assert vector._repr_png_().startswith(MAGIC["png"])


def test_antialiasing_smooths_and_keeps_the_layout():
    plain, smooth = drawn(), drawn(antialias=True)
    plain_colours, smooth_colours = set(picture_of(plain)), set(picture_of(smooth))
    assert len(smooth_colours - plain_colours) > 20  # shades between the curve and the plot area
    differing = sum(a != b for a, b in zip(picture_of(plain), picture_of(smooth)))
    assert 0 < differing < 0.1 * 300 * 200  # only near the curve's edges


def test_png_compression_sets_the_level_of_the_png():
    stored, packed = drawn(png_compression=0), drawn(png_compression=9)
    assert len(stored.to_bytes("png")) > 300 * 200 * 3 > len(packed.to_bytes("png"))
    with pytest.raises(plotara.PlotaraError):
        plotara.Control(png_compression=10)


@pytest.mark.skipif(shutil.which("pdftotext") is None, reason="needs poppler-utils")
def test_a_vector_pdf_holds_text_a_reader_finds(tmp_path):
    path = tmp_path / "v.pdf"
    drawn(vector=True).save(path)
    text = subprocess.run(["pdftotext", str(path), "-"], capture_output=True, text=True, check=True).stdout
    assert "Sales" in text and "x-axis" in text


def test_picture_array_looks_at_the_pixels_without_a_copy():
    c = drawn()
    a = c.picture_array()
    assert a.shape == (200, 300, 3) and a.dtype == numpy.uint8 and not a.flags.writeable
    words = numpy.array(picture_of(c), dtype=numpy.uint32).reshape(200, 300)
    expected = numpy.stack([(words >> 16) & 255, (words >> 8) & 255, words & 255], axis=-1)
    assert numpy.array_equal(a, expected)
    # A later drawing shows in the same array.
    before = a.copy()
    c.PlotAreaColor1 = c.PlotAreaColor2 = plotara.rgb(10, 200, 30)
    c.Refresh()
    assert not numpy.array_equal(a, before)
    assert numpy.array_equal(a, c.picture_array())
    assert any((a == [10, 200, 30]).all(axis=-1).ravel())


def test_the_pixels_outlive_close_and_block_resizing_while_an_array_looks_at_them():
    c = drawn()
    a = c.picture_array()
    row = a[100].copy()
    with pytest.raises(BufferError):
        c.resize(400, 300)
    part = a[50:60]
    del a
    with pytest.raises(BufferError):  # a slice still looks
        c.resize(400, 300)
    del part
    c.resize(400, 300)
    b = c.picture_array()
    kept = b.copy()
    c.close()  # a picture this size has memory of its own, which would be unmapped
    assert b.shape == (300, 400, 3)
    assert numpy.array_equal(b, kept)
    assert not numpy.array_equal(b[100, :300], numpy.zeros_like(row))


def test_a_vector_controls_array_is_a_copy():
    c = drawn(vector=True)
    a = c.picture_array()
    c.PlotAreaColor1 = c.PlotAreaColor2 = plotara.rgb(10, 200, 30)
    c.Refresh()
    assert not numpy.array_equal(a, c.picture_array())
    c.resize(150, 100)  # no view holds it
    assert c.picture_array().shape == (100, 150, 3)


@pytest.mark.parametrize("dpi, width, height", [(96, 333, 222), (192, 400, 300), (144, 99, 61)])
def test_the_picture_has_the_requested_size_at_any_resolution(dpi, width, height):
    c = plotara.Control(width=width, height=height, dpi=dpi)
    c.NewGraph("g")
    c.Refresh()
    pixels, w, h, stride = c.picture()
    assert (w, h) == (width, height) and len(pixels) == stride * h
    assert c.picture_array().shape == (height, width, 3)
    assert len(set(picture_of(c))) > 2  # page, plot area, axes and labels
