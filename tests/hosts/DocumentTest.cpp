// SVG and PDF documents as a reader gets them: shapes as paths, text as text in embedded fonts, the
// page the picture's physical size, and the same layout as the PNG of the same script. The documents
// are read back with poppler's and librsvg's command-line tools.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

struct Result {
  int status;
  std::string output;
};

Result Shell(const std::string& cmd) {
  FILE* pipe = popen((cmd + " 2>&1").c_str(), "r");
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  const int status = pclose(pipe);
  return {WEXITSTATUS(status), out};
}

std::string Example(const std::string& name) {
  return std::string(PLOTARA_SOURCE_DIR) + "/examples/" + name + ".plotara";
}

std::string Render(const std::string& example, const std::string& ext, const std::string& extra = "") {
  std::string tag = extra;
  for (char& ch : tag)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  // Tests run in parallel processes: each writes files of its own.
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::string unique = test;
  for (char& ch : unique)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  const std::string out = ::testing::TempDir() + "/doc_" + unique + "_" + example + tag + "." + ext;
  const Result r =
      Shell(std::string(PLOTARA_CLI) + " render " + Example(example) + " -o " + out + " " + extra);
  EXPECT_EQ(r.status, 0) << r.output;
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(Documents, AnSvgHoldsPathsForLinesAndGlyphsForText) {
  const std::string svg = ReadFile(Render("complete-chart", "svg"));
  EXPECT_EQ(Count(svg, "<image"), 0) << "no embedded raster picture";
  // Stroked paths (axes, grid, data lines) in groups of one style; the symbols of a data set defined
  // once and placed at each point (the line with error bars has nine).
  EXPECT_GT(Count(svg, "<path d="), 50);
  EXPECT_GT(Count(svg, "fill=\"none\" stroke="), 5);
  EXPECT_GT(Count(svg, "stroke-dasharray"), 0) << "the dashed model curve stays dashed";
  EXPECT_GE(Count(svg, "<use xlink:href=\"#s"), 9);
  // Text as glyph outlines, each glyph defined once, one use per character: the title alone has 25.
  EXPECT_GT(Count(svg, "<path id=\"g"), 20);
  EXPECT_GT(Count(svg, "xlink:href=\"#g"), 100);
  EXPECT_EQ(Count(svg, "<text"), 0);
}

// The texts of an SVG with their placing: "attributes>text".
std::multiset<std::string> SvgTexts(const std::string& svg) {
  std::multiset<std::string> texts;
  const std::regex text(R"re(<text([^>]*)>([^<]*)</text>)re");
  for (std::sregex_iterator it(svg.begin(), svg.end(), text), end; it != end; ++it)
    texts.insert((*it)[1].str() + ">" + (*it)[2].str());
  return texts;
}

TEST(Documents, APdfEmbedsItsFontsAndItsTextCanBeExtracted) {
  const std::string pdf = Render("complete-chart", "pdf");
  const Result fonts = Shell("pdffonts " + pdf);
  ASSERT_EQ(fonts.status, 0) << fonts.output;
  std::istringstream lines(fonts.output);
  std::string line;
  int embedded = 0, rows = 0;
  std::getline(lines, line);  // header
  std::getline(lines, line);  // rule
  while (std::getline(lines, line)) {
    ++rows;
    if (std::regex_search(line, std::regex(R"(\s+yes\s+yes\s+yes\s+\d+)"))) ++embedded;
  }
  EXPECT_GE(rows, 2) << "regular and bold\n" << fonts.output;
  EXPECT_EQ(embedded, rows) << "every font embedded, as a subset, with a unicode map\n" << fonts.output;
  const Result text = Shell("pdftotext " + pdf + " -");
  ASSERT_EQ(text.status, 0) << text.output;
  for (const char* label :
       {"Plotara: a complete chart", "time (s)", "signal (V)", "monthly totals", "peak", "14"})
    EXPECT_NE(text.output.find(label), std::string::npos) << label << " in\n" << text.output;
  EXPECT_EQ(Count(ReadFile(pdf), "/Subtype /Image"), 0) << "no raster picture in the page";
}

struct PageCase {
  const char* size;
  const char* dpi;
  // The size is in pixels at 96 dpi and --dpi sets the pixel density, so the page is the size at 96 dpi
  // whatever the density.
  const char* points;  // as pdfinfo gives the page size
  const char* svgWidth;
};

TEST(Documents, ThePageHasThePicturesPhysicalSize) {
  for (const PageCase& c : {PageCase{"800x600", "96", "600 x 450 pts", "width=\"600pt\""},
                            PageCase{"800x600", "192", "600 x 450 pts", "width=\"600pt\""},
                            PageCase{"900x600", "72", "675 x 450 pts", "width=\"675pt\""},
                            PageCase{"300x200", "300", "225 x 150 pts", "width=\"225pt\""}}) {
    const std::string extra = std::string("--size ") + c.size + " --dpi " + c.dpi;
    const Result info = Shell("pdfinfo " + Render("axes", "pdf", extra));
    EXPECT_NE(info.output.find(c.points), std::string::npos) << extra << "\n" << info.output;
    EXPECT_NE(ReadFile(Render("axes", "svg", extra)).find(c.svgWidth), std::string::npos) << extra;
  }
}

// Share of pixels of a that have no pixel within one pixel in b of nearly the same colour: a measure of
// layout that lets smoothing and a pixel's shift pass.
double LayoutDifference(const std::string& pathA, const std::string& pathB) {
  cairo_surface_t* a = cairo_image_surface_create_from_png(pathA.c_str());
  cairo_surface_t* b = cairo_image_surface_create_from_png(pathB.c_str());
  double result = 1.0;
  const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
  if (cairo_surface_status(a) == CAIRO_STATUS_SUCCESS && cairo_surface_status(b) == CAIRO_STATUS_SUCCESS &&
      w == cairo_image_surface_get_width(b) && h == cairo_image_surface_get_height(b)) {
    auto pixel = [](cairo_surface_t* s, int x, int y) {
      const auto* row =
          cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s);
      return reinterpret_cast<const uint32_t*>(row)[x];
    };
    auto close = [](uint32_t p, uint32_t q) {
      for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) > 60)
          return false;
      return true;
    };
    long misses = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
          for (int dx = -1; dx <= 1 && !found; ++dx) {
            const int u = x + dx, v = y + dy;
            found = u >= 0 && v >= 0 && u < w && v < h && close(pixel(a, x, y), pixel(b, u, v));
          }
        misses += found ? 0 : 1;
      }
    result = static_cast<double>(misses) / (static_cast<double>(w) * h);
  }
  cairo_surface_destroy(a);
  cairo_surface_destroy(b);
  return result;
}

class RasterisedDocument : public ::testing::TestWithParam<const char*> {};

TEST_P(RasterisedDocument, HasThePngsLayout) {
  const std::string name = GetParam();
  const std::string png = Render(name, "png");
  const std::string base = ::testing::TempDir() + "/raster_" + name;  // one test per example
  const Result pdf = Shell("pdftoppm -r 96 -singlefile -png " + Render(name, "pdf") + " " + base + "_pdf");
  ASSERT_EQ(pdf.status, 0) << pdf.output;
  const Result svg =
      Shell("rsvg-convert --dpi-x 96 --dpi-y 96 -o " + base + "_svg.png " + Render(name, "svg"));
  ASSERT_EQ(svg.status, 0) << svg.output;
  EXPECT_LT(LayoutDifference(png, base + "_pdf.png"), 0.003) << base << "_pdf.png";
  EXPECT_LT(LayoutDifference(png, base + "_svg.png"), 0.003) << base << "_svg.png";
}

INSTANTIATE_TEST_SUITE_P(Examples, RasterisedDocument,
                         ::testing::Values("complete-chart", "gradients", "symbols-and-lines",
                                           "texts-and-legends", "errors-and-curves", "interaction", "axes",
                                           "bars", "fonts-and-titles", "default-axes"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string n = info.param;
                           for (char& ch : n)
                             if (ch == '-') ch = '_';
                           return n;
                         });

TEST(Documents, LayoutDifferenceSeesAMovedPicture) {
  // The measure must fail a picture whose content moved, or the test above proves nothing.
  const std::string png = Render("complete-chart", "png");
  const std::string moved = ::testing::TempDir() + "/doc_moved.png";
  cairo_surface_t* a = cairo_image_surface_create_from_png(png.c_str());
  cairo_surface_t* b = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(a),
                                                  cairo_image_surface_get_height(a));
  cairo_t* cr = cairo_create(b);
  cairo_set_source_surface(cr, a, 3, 2);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_write_to_png(b, moved.c_str());
  cairo_surface_destroy(a);
  cairo_surface_destroy(b);
  EXPECT_GT(LayoutDifference(png, moved), 0.01);
  EXPECT_EQ(LayoutDifference(png, png), 0.0);
}

TEST(Documents, SvgTextIsTextToSelectAndSearchWithThePicturesLayout) {
  const std::string path = Render("complete-chart", "svg", "--svg-text");
  const std::string svg = ReadFile(path);
  EXPECT_EQ(Count(svg, "<path id=\"g"), 0) << "no glyph outlines";
  std::string all;
  for (const std::string& t : SvgTexts(svg)) all += t + "\n";
  for (const char* label :
       {"Plotara: a complete chart", "time (s)", "signal (V)", "monthly totals", "peak", "14"})
    EXPECT_NE(all.find(">" + std::string(label) + "\n"), std::string::npos) << label << " in\n" << all;
  // The font, its weight and the turn of the Y axis title, as the picture has them.
  EXPECT_NE(all.find("font-family=\"Liberation Sans, Arial\""), std::string::npos) << all;
  EXPECT_NE(all.find("font-weight=\"bold\""), std::string::npos) << "the bold label 'peak'\n" << all;
  EXPECT_NE(all.find("rotate(-90)\""), std::string::npos) << "the turned axis title\n" << all;
  // Rasterised, only the glyphs' own shapes differ from the outlines: librsvg lays each text out with
  // its font's own advances where a browser takes every character's place from the document.
  const std::string png = Render("complete-chart", "png");
  const std::string raster = ::testing::TempDir() + "/doc_svg_text.png";
  const Result r = Shell("rsvg-convert --dpi-x 96 --dpi-y 96 -o " + raster + " " + path);
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_LT(LayoutDifference(png, raster), 0.006) << raster;
}

// Number of distinct colours in a PNG.
size_t Colours(const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  std::set<uint32_t> seen;
  for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(
        cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s));
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x) seen.insert(row[x] & 0xFFFFFF);
  }
  cairo_surface_destroy(s);
  return seen.size();
}

TEST(Documents, AntialiasSmoothsThePictureAndKeepsItsLayout) {
  for (const char* name : {"symbols-and-lines", "errors-and-curves"}) {
    const std::string plain = Render(name, "png");
    const std::string smooth = Render(name, "png", "--antialias");
    // Smoothed edges bring in the shades between a line and its background.
    EXPECT_GT(Colours(smooth), Colours(plain) + 100) << name;
    EXPECT_LT(LayoutDifference(plain, smooth), 0.003) << name;
  }
}

TEST(Documents, RefreshingAgainAndAgainDoesNotGrowTheDocument) {
  // Copies between surfaces refer to each other's recordings; what a refresh paints over must be
  // dropped, or every refresh nests the one before.
  std::string script = ReadFile(Example("complete-chart"));
  for (int i = 0; i < 6; ++i) script += "\nRefresh";
  const std::string path = ::testing::TempDir() + "/doc_refreshed.plotara";
  std::ofstream(path) << script;
  for (const char* ext : {"svg", "pdf"}) {
    const std::string once = Render("complete-chart", ext);
    const std::string again = ::testing::TempDir() + "/doc_refreshed." + ext;
    const Result r = Shell(std::string(PLOTARA_CLI) + " render " + path + " -o " + again);
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_LT(ReadFile(again).size(), ReadFile(once).size() * 11 / 10) << ext;
  }
}

// The words of a PDF with where they stand, to the point: "label@x,y".
std::set<std::string> PlacedWords(const std::string& pdf) {
  const Result r = Shell("pdftotext -bbox " + pdf + " -");
  std::set<std::string> words;
  const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
  for (std::sregex_iterator it(r.output.begin(), r.output.end(), word), end; it != end; ++it)
    words.insert((*it)[3].str() + "@" + std::to_string(std::lround(std::stod((*it)[1].str()))) + "," +
                 std::to_string(std::lround(std::stod((*it)[2].str()))));
  return words;
}

// Redraws of one graph copy the saved page over part of the picture. What they cover must go: the
// document stays the size of a few redraws, and holds no text that the picture no longer shows (every
// word also stands in the document a full refresh then gives).
TEST(Documents, RedrawsReplaceWhatTheyCover) {
  struct Case {
    const char* name;
    const char* start;
    std::function<std::string(int)> step;
    // What the text check leaves out: a graph's trail below the page (which a full refresh clears); a
    // legend table's kept copy, which carries the page it was cut from under it.
    bool sizeOnly;
  };
  const Case cases[] = {
      {"RefreshCurrentGraph", "", [](int) { return std::string("RefreshCurrentGraph"); }, false},
      {"graph dragged", "Mouse Down, 1, 0, 7900, 2000",
       [](int i) {
         return "Mouse Move, 1, 0, " + std::to_string(7900 - i % 40 * 20) + ", " +
                std::to_string(2000 + i * 4);
       },
       false},
      {"graph dragged off the page", "Mouse Down, 1, 0, 7900, 2000",
       [](int i) {
         return "Mouse Move, 1, 0, " + std::to_string(7900 - i % 40 * 20) + ", " +
                std::to_string(2000 + i * 30);
       },
       true},
      {"legend dragged", "Mouse Down, 1, 0, 6400, 300",
       [](int i) {
         return "Mouse Move, 1, 0, " + std::to_string(6400 - i % 50 * 40) + ", " +
                std::to_string(300 + i % 30 * 60);
       },
       true},
      {"zoomed view panned",
       "Mouse Down, 1, 0, 2286, 1460\nMouse Move, 1, 0, 3778, 6778\nMouse Up, 1, 0, 3778, 6778",
       [](int i) { return "Scroll H, " + std::to_string(i * 37 % 1000); }, false},
      {"zoomed in and out", "",
       [](int i) {
         return std::string(i % 2 ? "Mouse Down, 2, 1, 3000, 4000" : "Mouse Down, 1, 1, 3000, 4000");
       },
       false},
  };
  // The interaction example up to its first Refresh: two graphs, the second with a border band.
  const std::string example = ReadFile(Example("interaction"));
  const std::string page = example.substr(0, example.find("Refresh\n") + 8);
  for (const Case& c : cases) {
    const std::string base = ::testing::TempDir() + "/doc_redraws_" + std::to_string(&c - cases);
    auto render = [&](int steps, const std::string& end, const std::string& ext,
                      const std::string& extra = "") {
      std::string script = page + c.start + "\n";
      for (int i = 0; i < steps; ++i) script += c.step(i) + "\n";
      const std::string name = base + "_" + std::to_string(steps) + end;
      std::ofstream(name + ".plotara") << script << end << "\n";
      const Result r = Shell(std::string(PLOTARA_CLI) + " render " + name + ".plotara -o " + name + "." +
                             ext + " " + extra);
      EXPECT_EQ(r.status, 0) << c.name << "\n" << r.output;
      return name + "." + ext;
    };
    for (const char* ext : {"svg", "pdf"}) {
      const size_t few = ReadFile(render(10, "", ext)).size(), many = ReadFile(render(300, "", ext)).size();
      EXPECT_LT(many, few * (c.sizeOnly ? 4 : 1.5)) << c.name << " " << ext;
    }
    if (c.sizeOnly) continue;
    const std::set<std::string> shown = PlacedWords(render(300, "Refresh", "pdf"));
    for (const std::string& word : PlacedWords(render(300, "", "pdf")))
      EXPECT_TRUE(shown.count(word)) << c.name << ": " << word << " is no longer shown";
    const std::multiset<std::string> texts = SvgTexts(ReadFile(render(300, "Refresh", "svg", "--svg-text")));
    for (const std::string& text : SvgTexts(ReadFile(render(300, "", "svg", "--svg-text"))))
      EXPECT_TRUE(texts.count(text)) << c.name << ": " << text << " is no longer shown";
  }
}

TEST(Documents, StandardOutputGetsTheVectorDocumentToo) {
  for (const char* format : {"svg", "pdf"}) {
    const std::string out = ::testing::TempDir() + "/doc_stdout." + format;
    const Result r = Shell(std::string(PLOTARA_CLI) + " render " + Example("complete-chart") +
                           " -o - --format " + format + " > " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string doc = ReadFile(out);
    EXPECT_EQ(Count(doc, "<image") + Count(doc, "/Subtype /Image"), 0) << format << ": no raster picture";
    EXPECT_GT(Count(doc, "<path") + Count(doc, "/FontFile2"), 0) << format;
  }
}

TEST(Documents, AnUnwritableDocumentIsAOneLineError) {
  for (const char* ext : {"svg", "pdf"}) {
    const std::string out = "/nonexistent-folder/chart." + std::string(ext);
    const Result r = Shell(std::string(PLOTARA_CLI) + " render " + Example("axes") + " -o " + out);
    EXPECT_EQ(r.status, 1) << ext;
    EXPECT_EQ(r.output, "plotara: cannot write '" + out + "': Path/File access error\n") << ext;
  }
}

}  // namespace
