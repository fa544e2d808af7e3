// The C interface's additions for other languages: drawing options, the picture as bytes in memory,
// the parameters of members, calls the control ignores reported, and bulk points with missing values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "plotara/plotara_c.h"

namespace {

int Call(plotara_control* c, const char* member, std::vector<plotara_value> args = {}) {
  return plotara_invoke(c, member, static_cast<int>(args.size()), args.data(), nullptr, nullptr);
}

plotara_control* Chart(plotara_options options, int width = 240, int height = 160) {
  plotara_control* c = nullptr;
  EXPECT_EQ(plotara_create_with_options(&options, &c), PLOTARA_OK) << plotara_last_error();
  EXPECT_EQ(plotara_resize(c, width, height), PLOTARA_OK);
  EXPECT_EQ(
      Call(c, "NewGraph",
           {plotara_text("g"), plotara_double(0), plotara_double(10), plotara_double(-1), plotara_double(1)}),
      PLOTARA_OK);
  EXPECT_EQ(Call(c, "NewDataSet", {plotara_text("d")}), PLOTARA_OK);
  EXPECT_EQ(Call(c, "AddMathFunc", {plotara_text("SIN(x)")}), PLOTARA_OK);
  EXPECT_EQ(Call(c, "Refresh"), PLOTARA_OK);
  return c;
}

std::string Encoded(plotara_control* c, const char* format) {
  const void* bytes = nullptr;
  size_t size = 0;
  EXPECT_EQ(plotara_encode(c, format, &bytes, &size), PLOTARA_OK) << plotara_last_error();
  return bytes ? std::string(static_cast<const char*>(bytes), size) : std::string();
}

std::set<uint32_t> Colours(plotara_control* c) {
  const uint32_t* pixels = nullptr;
  int w = 0, h = 0, stride = 0;
  EXPECT_EQ(plotara_picture(c, &pixels, &w, &h, &stride), PLOTARA_OK);
  std::set<uint32_t> colours;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) colours.insert(pixels[static_cast<size_t>(y) * (stride / 4) + x] & 0xFFFFFF);
  return colours;
}

TEST(CInterfaceOutput, EncodedBytesAreTheFileSaveWrites) {
  plotara_control* c = Chart(plotara_default_options());
  const auto dir = std::filesystem::temp_directory_path() / ("plotara_encode_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string png = (dir / "a.png").string();
  ASSERT_EQ(plotara_save(c, png.c_str()), PLOTARA_OK);
  std::ifstream in(png, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Encoded(c, "png"), saved);
  std::filesystem::remove_all(dir);
  struct Case {
    const char* format;
    const char* begins;
  } cases[] = {{"png", "\x89PNG"}, {"PNG", "\x89PNG"}, {"svg", "<?xml"}, {"pdf", "%PDF-"}};
  for (const Case& k : cases) EXPECT_EQ(Encoded(c, k.format).rfind(k.begins, 0), 0u) << k.format;
  const void* bytes = nullptr;
  size_t size = 0;
  for (const char* bad : {"bmp", "", ".png", "png\n"}) {
    EXPECT_EQ(plotara_encode(c, bad, &bytes, &size), 5) << bad;
    EXPECT_NE(std::string(plotara_last_error()).find("png, svg or pdf"), std::string::npos);
  }
  plotara_destroy(c);
}

TEST(CInterfaceOutput, OptionsDrawSmoothlyOrKeepShapes) {
  plotara_options smooth = plotara_default_options(), shapes = plotara_default_options();
  smooth.antialias = 1;
  shapes.vector = 1;
  plotara_control* aliased = Chart(plotara_default_options());
  plotara_control* smoothed = Chart(smooth);
  plotara_control* vector = Chart(shapes);
  // Smoothing mixes the curve's colour into its background: shades the aliased picture has not.
  const std::set<uint32_t> aliasedColours = Colours(aliased);
  size_t mixed = 0;
  for (uint32_t colour : Colours(smoothed)) mixed += aliasedColours.count(colour) == 0;
  EXPECT_GT(mixed, 50u);
  // A raster control's SVG embeds its picture; a vector one's is drawn of paths and text.
  const std::string raster = Encoded(aliased, "svg"), drawn = Encoded(vector, "svg");
  EXPECT_NE(raster.find("<image"), std::string::npos);
  EXPECT_EQ(drawn.find("<image"), std::string::npos);
  EXPECT_NE(drawn.find("<path"), std::string::npos);
  for (plotara_control* c : {aliased, smoothed, vector}) plotara_destroy(c);

  plotara_options wrong = plotara_default_options();
  wrong.dpi = 10;
  plotara_control* c = reinterpret_cast<plotara_control*>(1);
  EXPECT_EQ(plotara_create_with_options(&wrong, &c), 5);
  EXPECT_EQ(c, nullptr);
  EXPECT_EQ(plotara_create_with_options(nullptr, &c), 5);
}

TEST(CInterfaceOutput, PngCompressionSetsTheLevelOfEveryPngWritten) {
  // The same picture at three levels: none stores the pixels raw, and each higher level packs tighter.
  std::vector<size_t> sizes;
  for (int level : {0, 1, 9}) {
    plotara_options o = plotara_default_options();
    o.png_compression = level;
    plotara_control* c = Chart(o);
    sizes.push_back(Encoded(c, "png").size());
    plotara_destroy(c);
  }
  EXPECT_GT(sizes[0], 240u * 160 * 3) << "level 0 keeps every byte of the pixels";
  EXPECT_GT(sizes[1], sizes[2]);
  for (int wrong : {-2, 10}) {
    plotara_options o = plotara_default_options();
    o.png_compression = wrong;
    plotara_control* c = nullptr;
    EXPECT_EQ(plotara_create_with_options(&o, &c), 5) << wrong;
    EXPECT_EQ(c, nullptr);
  }
}

TEST(CInterfaceMembers, ParametersGiveNameTypeAndDefault) {
  struct Case {
    const char* member;
    int index;
    const char* name;
    const char* typeName;
    int optional, out;
    plotara_value def;
  } cases[] = {
      {"NewGraph", 0, "GraphName", "String", 0, 0, {PLOTARA_EMPTY, 0, 0, {nullptr}}},
      {"newgraph", 2, "x2", "Double", 1, 0, plotara_double(0)},
      {"NewDataSet", 1, "InLegendTable", "Boolean", 1, 0, plotara_boolean(1)},
      {"SelectXaxis", 0, "Index", "Integer", 1, 0, plotara_long(1)},
      {"PageColors", 0, "Color1", "Long", 1, 0, plotara_long(-1)},
      {"GetAxisNames", 0, "AxisNames", "String()", 1, 1, {PLOTARA_EMPTY, 0, 0, {nullptr}}},
  };
  for (const Case& k : cases) {
    plotara_param p;
    ASSERT_EQ(plotara_member_param(k.member, k.index, &p), PLOTARA_OK) << k.member << plotara_last_error();
    EXPECT_STREQ(p.name, k.name);
    EXPECT_STREQ(p.type_name, k.typeName) << k.name;
    EXPECT_EQ(p.optional, k.optional) << k.name;
    EXPECT_EQ(p.out, k.out) << k.name;
    EXPECT_EQ(p.def.type, k.def.type) << k.name;
    EXPECT_EQ(p.def.integer, k.def.integer) << k.name;
    EXPECT_EQ(p.def.number, k.def.number) << k.name;
  }
  plotara_param p;
  EXPECT_EQ(plotara_member_param("NewGraph", 5, &p), 9);
  EXPECT_EQ(plotara_member_param("NewGraph", -1, &p), 9);
  EXPECT_EQ(plotara_member_param("AxisColor", 0, &p), 9);  // a property has none
  EXPECT_EQ(plotara_member_param("Nope", 0, &p), 438);
}

TEST(CInterfaceMembers, EveryMemberHasItsReference) {
  for (int i = 0; i < plotara_member_count(); ++i) {
    plotara_reference r;
    ASSERT_EQ(plotara_member_reference(plotara_member_name(i), &r), PLOTARA_OK);
    EXPECT_NE(std::string(r.signature).find(plotara_member_name(i)), std::string::npos);
    EXPECT_STRNE(r.meaning, "") << plotara_member_name(i);
  }
  struct Case {
    const char* member;
    const char* signature;
    const char* meaning;
    const char* unit;
    const char* def;
    const char* range;
  } cases[] = {
      {"AxisThickness", "Property AxisThickness As Byte", "width of the axis line", "pixels", "1",
       "0 to 255"},
      {"axiscolor", "Property AxisColor As Long", "colour of the axis line and ticks", "colour 0x00BBGGRR",
       "&H000000", "&H000000 to &HFFFFFF (RGB(r, g, b) in scripts), or &H800000nn for system colour nn"},
      {"SetSelectedGraph", "Sub SetSelectedGraph(GraphIndex As Integer)", "makes a graph current",
       "index from 0", "", "0 to graphs - 1"},
  };
  for (const Case& k : cases) {
    plotara_reference r;
    ASSERT_EQ(plotara_member_reference(k.member, &r), PLOTARA_OK) << k.member;
    EXPECT_STREQ(r.signature, k.signature);
    EXPECT_STREQ(r.meaning, k.meaning);
    EXPECT_STREQ(r.unit, k.unit);
    EXPECT_STREQ(r.default_value, k.def);
    EXPECT_STREQ(r.range, k.range);
  }
  plotara_reference r;
  EXPECT_EQ(plotara_member_reference("Nope", &r), 438);
}

// A data set's error values with missing ones among them: the same picture as 0 where one is missing.
TEST(CInterfaceOutput, BulkPointsTakeNaNAndInfinityAsMissing) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Series {
    std::vector<double> x, y, e;
  };
  struct Case {
    const char* what;
    Series given, same;  // same: what it must draw like
  } cases[] = {
      {"x or y missing", {{1, 2, nan, 4, 5, 6}, {1, inf, 3, -inf, nan, 2}, {}}, {{1, 6}, {1, 2}, {}}},
      {"e missing",
       {{1, 2, 3, 4}, {1, 2, 3, 2}, {0.3, nan, inf, -inf}},
       {{1, 2, 3, 4}, {1, 2, 3, 2}, {0.3, 0, 0, 0}}},
  };
  for (const Case& k : cases) {
    std::vector<std::set<uint32_t>> pictures;
    std::vector<std::vector<uint32_t>> pixels;
    for (const Series* s : {&k.given, &k.same}) {
      plotara_control* c = nullptr;
      ASSERT_EQ(plotara_create(96, &c), PLOTARA_OK);
      ASSERT_EQ(plotara_resize(c, 200, 150), PLOTARA_OK);
      Call(c, "NewGraph", {plotara_text("g")});
      Call(c, "NewDataSet", {plotara_text("d")});
      ASSERT_EQ(plotara_put(c, "ShowErrorBar", plotara_boolean(1)), PLOTARA_OK);
      ASSERT_EQ(
          plotara_add_points(c, s->x.data(), s->y.data(), s->e.empty() ? nullptr : s->e.data(), s->x.size()),
          PLOTARA_OK)
          << k.what << ": " << plotara_last_error();
      ASSERT_EQ(Call(c, "Refresh"), PLOTARA_OK) << k.what << ": " << plotara_last_error();
      const uint32_t* p = nullptr;
      int w = 0, h = 0, stride = 0;
      plotara_picture(c, &p, &w, &h, &stride);
      pixels.emplace_back(p, p + static_cast<size_t>(h) * (stride / 4));
      plotara_destroy(c);
    }
    EXPECT_TRUE(pixels[0] == pixels[1]) << k.what;
  }
}

// Each row sets up a control, then makes a call the control would ignore.
TEST(CInterfaceMembers, CallsTheControlIgnoresAreReported) {
  struct Case {
    const char* what;
    int graphs, dataSets;  // set up first
    const char* member;
    plotara_value arg;
    int status;
    const char* says;
  } cases[] = {
      {"graph index past the end", 2, 0, "SetSelectedGraph", plotara_long(2), 9, "there are 2"},
      {"negative graph index", 1, 0, "SetSelectedGraph", plotara_long(-1), 9, "graph"},
      {"data set index past the end", 1, 1, "SetSelectedData", plotara_long(1), 9, "there are 1"},
      {"axis index past the end", 1, 0, "SetSelectedAxis", plotara_long(2), 9, "axis"},
      {"data set without a graph", 0, 0, "NewDataSet", plotara_text("d"), 9, "NewGraph first"},
      {"a formula without a data set", 1, 0, "AddMathFunc", plotara_text("x"), 9, "NewDataSet first"},
      {"a formula that does not compile", 1, 1, "AddMathFunc", plotara_text("SIN("), 5, "does not compile"},
      {"a valid index", 2, 0, "SetSelectedGraph", plotara_long(0), PLOTARA_OK, ""},
      {"a valid formula", 1, 1, "AddMathFunc", plotara_text("a * x + 1"), PLOTARA_OK, ""},
  };
  for (const Case& k : cases) {
    plotara_control* c = nullptr;
    ASSERT_EQ(plotara_create(96, &c), PLOTARA_OK);
    for (int g = 0; g < k.graphs; ++g) Call(c, "NewGraph", {plotara_text("g")});
    for (int d = 0; d < k.dataSets; ++d) Call(c, "NewDataSet", {plotara_text("d")});
    EXPECT_EQ(Call(c, k.member, {k.arg}), k.status) << k.what;
    EXPECT_NE(std::string(plotara_last_error()).find(k.says), std::string::npos)
        << k.what << ": " << plotara_last_error();
    if (k.status != PLOTARA_OK) {
      // With an ErrorMsg handler, the handler hears of it instead.
      int heard = 0;
      plotara_set_event_handler(
          c, PLOTARA_ERROR_MSG,
          [](void* user, plotara_event, const char*, const char*) { ++*static_cast<int*>(user); }, &heard);
      EXPECT_EQ(Call(c, k.member, {k.arg}), PLOTARA_OK) << k.what;
      EXPECT_EQ(heard, 1) << k.what;
    }
    plotara_destroy(c);
  }
  // Points in bulk with nowhere to go add none and say so.
  plotara_control* c = nullptr;
  ASSERT_EQ(plotara_create(96, &c), PLOTARA_OK);
  Call(c, "NewGraph", {plotara_text("g")});
  const double x[] = {1, 2};
  EXPECT_EQ(plotara_add_points(c, x, x, nullptr, 2), 9);
  EXPECT_NE(std::string(plotara_last_error()).find("AddDataPoint"), std::string::npos);
  plotara_destroy(c);
}

}  // namespace
