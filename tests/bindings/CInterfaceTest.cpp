// The C interface: statuses and messages instead of exceptions, values by name, events with a user
// pointer, the picture's pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "plotara/plotara_c.h"

namespace {

class CInterface : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(plotara_create(96, &c_), PLOTARA_OK) << plotara_last_error(); }
  void TearDown() override { plotara_destroy(c_); }

  int Call(const char* member, std::vector<plotara_value> args = {}, plotara_value* result = nullptr) {
    return plotara_invoke(c_, member, static_cast<int>(args.size()), args.data(), nullptr, result);
  }

  plotara_control* c_ = nullptr;
};

TEST_F(CInterface, PictureHasTheRequestedSizeAtEveryResolution) {
  struct Case {
    double dpi;
    int width, height;
  } cases[] = {{96, 400, 300}, {192, 800, 600}, {144, 333, 217}};
  for (const Case& k : cases) {
    plotara_control* c = nullptr;
    ASSERT_EQ(plotara_create(k.dpi, &c), PLOTARA_OK);
    ASSERT_EQ(plotara_resize(c, k.width, k.height), PLOTARA_OK);
    plotara_value name = plotara_text("g");
    ASSERT_EQ(plotara_invoke(c, "NewGraph", 1, &name, nullptr, nullptr), PLOTARA_OK);
    ASSERT_EQ(plotara_invoke(c, "Refresh", 0, nullptr, nullptr, nullptr), PLOTARA_OK);
    const uint32_t* pixels = nullptr;
    int w = 0, h = 0, stride = 0;
    ASSERT_EQ(plotara_picture(c, &pixels, &w, &h, &stride), PLOTARA_OK);
    EXPECT_EQ(w, k.width) << k.dpi;
    EXPECT_EQ(h, k.height) << k.dpi;
    EXPECT_GE(stride, w * 4);
    ASSERT_NE(pixels, nullptr);
    plotara_destroy(c);
  }
}

TEST_F(CInterface, PropertiesGoInAndComeBackByNameInAnyCase) {
  ASSERT_EQ(Call("newgraph", {plotara_text("Sales")}), PLOTARA_OK);
  ASSERT_EQ(plotara_put(c_, "AxisColor", plotara_long(255)), PLOTARA_OK);
  ASSERT_EQ(plotara_put(c_, "axistitle", plotara_text("Months")), PLOTARA_OK);
  ASSERT_EQ(plotara_put(c_, "AxisLog", plotara_boolean(1)), PLOTARA_OK);
  plotara_value v;
  ASSERT_EQ(plotara_get(c_, "AXISCOLOR", &v), PLOTARA_OK);
  EXPECT_EQ(v.type, PLOTARA_LONG);
  EXPECT_EQ(v.integer, 255);
  ASSERT_EQ(plotara_get(c_, "AxisTitle", &v), PLOTARA_OK);
  ASSERT_EQ(v.type, PLOTARA_TEXT);
  EXPECT_STREQ(v.text, "Months");
  ASSERT_EQ(plotara_get(c_, "AxisLog", &v), PLOTARA_OK);
  EXPECT_EQ(v.type, PLOTARA_BOOLEAN);
  EXPECT_EQ(v.integer, 1);
  ASSERT_EQ(plotara_get(c_, "Version", &v), PLOTARA_OK);
  EXPECT_STREQ(v.text, plotara_version());
}

TEST_F(CInterface, FailuresAreStatusesWithTheirText) {
  Call("NewGraph", {plotara_text("g")});
  plotara_value v;
  struct Case {
    const char* what;
    int status;
    int expected;  // -1: any failure
  };
  const Case cases[] = {
      {"unknown member", plotara_get(c_, "NoSuchThing", &v), 438},
      {"byte out of range", plotara_put(c_, "AxisThickness", plotara_long(300)), 6},
      {"text that is no number", plotara_put(c_, "AxisColor", plotara_text("red")), 13},
      {"read-only property", plotara_put(c_, "Version", plotara_text("2")), -1},
      {"too many arguments", Call("Refresh", {plotara_long(1)}), 450},
      {"null control", plotara_get(nullptr, "AxisColor", &v), 91},
  };
  for (const Case& k : cases) {
    if (k.expected > 0)
      EXPECT_EQ(k.status, k.expected) << k.what;
    else
      EXPECT_NE(k.status, PLOTARA_OK) << k.what;
  }
  // The message is the last failure's.
  EXPECT_EQ(plotara_get(c_, "NoSuchThing", &v), 438);
  EXPECT_NE(std::string(plotara_last_error()).find("Object doesn't support"), std::string::npos)
      << plotara_last_error();
  EXPECT_EQ(plotara_put(c_, "AxisThickness", plotara_long(300)), 6);
  EXPECT_STREQ(plotara_last_error(), "Overflow");
}

TEST_F(CInterface, MethodFailureIsTheStatusUntilTheHostHandlesErrorMsg) {
  // Without a graph there is no data set to select.
  EXPECT_EQ(Call("SetSelectedData", {plotara_long(1)}), 9);
  EXPECT_NE(std::string(plotara_last_error()).find("SetSelectedData"), std::string::npos)
      << plotara_last_error();
  EXPECT_EQ(Call("GetSelectedGraph"), PLOTARA_OK) << "the failure does not stick to later calls";

  struct Seen {
    int count = 0;
    std::string source, description;
  } seen;
  auto handler = [](void* user, plotara_event event, const char* source, const char* description) {
    auto* s = static_cast<Seen*>(user);
    EXPECT_EQ(event, PLOTARA_ERROR_MSG);
    ++s->count;
    s->source = source;
    s->description = description;
  };
  ASSERT_EQ(plotara_set_event_handler(c_, PLOTARA_ERROR_MSG, handler, &seen), PLOTARA_OK);
  EXPECT_EQ(Call("SetSelectedData", {plotara_long(1)}), PLOTARA_OK);
  EXPECT_EQ(seen.count, 1);
  EXPECT_NE(seen.source.find("SetSelectedData"), std::string::npos);
  EXPECT_EQ(seen.description, "Subscript out of range");
}

TEST_F(CInterface, EventsReachTheirHandlerWithTheUserPointer) {
  int scaleChanges = 0;
  ASSERT_EQ(plotara_set_event_handler(
                c_, PLOTARA_GRAPH_SCALE_CHANGED,
                [](void* user, plotara_event e, const char* source, const char*) {
                  EXPECT_EQ(e, PLOTARA_GRAPH_SCALE_CHANGED);
                  EXPECT_EQ(source, nullptr);
                  ++*static_cast<int*>(user);
                },
                &scaleChanges),
            PLOTARA_OK);
  Call("NewGraph", {plotara_text("g")});
  EXPECT_EQ(scaleChanges, 2);  // one for each new axis
  ASSERT_EQ(plotara_set_event_handler(c_, PLOTARA_GRAPH_SCALE_CHANGED, nullptr, nullptr), PLOTARA_OK);
  Call("NewGraph", {plotara_text("h")});
  EXPECT_EQ(scaleChanges, 2);
  for (const int event : {9, 6, -1, -5, INT32_MIN, INT32_MAX})
    EXPECT_EQ(plotara_set_event_handler(c_, event, nullptr, nullptr), 5) << event;
}

TEST_F(CInterface, NamedArgumentsAndWrittenBackArguments) {
  Call("NewGraph", {plotara_text("g")});
  Call("NewXAxis", {plotara_text("second")});
  Call("NewDataSet", {plotara_text("d")});
  plotara_value args[] = {plotara_long(5), plotara_double(2.5)};
  const char* names[] = {"symbol", "Size"};
  ASSERT_EQ(plotara_invoke(c_, "SymbolStyle", 2, args, names, nullptr), PLOTARA_OK) << plotara_last_error();
  plotara_value v;
  ASSERT_EQ(plotara_get(c_, "DataSymbol", &v), PLOTARA_OK);
  EXPECT_EQ(v.integer, 5);

  plotara_value out[] = {plotara_missing(), plotara_missing(), plotara_long(1)};
  ASSERT_EQ(plotara_invoke(c_, "GetAxisNames", 2, out, nullptr, nullptr), PLOTARA_OK) << plotara_last_error();
  ASSERT_EQ(out[0].type, PLOTARA_TEXTS);
  EXPECT_EQ(out[1].type, PLOTARA_LONG);
  ASSERT_EQ(out[0].integer, out[1].integer + 1);  // the axes' names and an empty entry after them
  EXPECT_STREQ(out[0].texts[out[1].integer - 1], "second");
  EXPECT_EQ(out[0].texts[out[0].integer], nullptr);
}

TEST_F(CInterface, BulkPointsWidenTheAxes) {
  Call("NewGraph", {plotara_text("g")});
  const double x[] = {0, 1, 2, 3, 47};
  const double y[] = {5, -3, 2, 8, 1};
  EXPECT_EQ(plotara_add_points(c_, x, nullptr, nullptr, 5), 5);
  Call("NewDataSet", {plotara_text("d")});
  ASSERT_EQ(plotara_add_points(c_, x, y, nullptr, 5), PLOTARA_OK) << plotara_last_error();
  ASSERT_EQ(plotara_resize(c_, 400, 300), PLOTARA_OK);
  ASSERT_EQ(Call("Refresh"), PLOTARA_OK);
  plotara_value lo, hi;
  ASSERT_EQ(plotara_get(c_, "AxisValue1", &lo), PLOTARA_OK);
  ASSERT_EQ(plotara_get(c_, "AxisViewValue2", &hi), PLOTARA_OK);
  EXPECT_LE(lo.number, 0);
  EXPECT_GE(hi.number, 47);
}

TEST_F(CInterface, SaveWritesThePictureOrSaysWhyNot) {
  plotara_resize(c_, 200, 100);
  Call("NewGraph", {plotara_text("g")});
  Call("Refresh");
  const auto dir = std::filesystem::temp_directory_path() / ("plotara_c_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string png = (dir / "a.png").string();
  ASSERT_EQ(plotara_save(c_, png.c_str()), PLOTARA_OK) << plotara_last_error();
  EXPECT_GT(std::filesystem::file_size(png), 100u);
  EXPECT_NE(plotara_save(c_, (dir / "no/such/dir/a.png").string().c_str()), PLOTARA_OK);
  EXPECT_NE(std::string(plotara_last_error()).find("no/such/dir"), std::string::npos) << plotara_last_error();
  EXPECT_NE(plotara_save(c_, (dir / "a.bmp").string().c_str()), PLOTARA_OK);
  std::filesystem::remove_all(dir);
}

TEST_F(CInterface, MembersCanBeListedAndDescribed) {
  const int n = plotara_member_count();
  ASSERT_GT(n, 100);
  EXPECT_EQ(plotara_member_name(n), nullptr);
  plotara_member m;
  for (int i = 0; i < n; ++i) ASSERT_EQ(plotara_member_info(plotara_member_name(i), &m), PLOTARA_OK);
  ASSERT_EQ(plotara_member_info("GetAxisNames", &m), PLOTARA_OK);
  EXPECT_EQ(m.kind, 1);
  EXPECT_EQ(m.params, 2);
  EXPECT_EQ(m.out_mask, 3u);
  ASSERT_EQ(plotara_member_info("Version", &m), PLOTARA_OK);
  EXPECT_EQ(m.kind, 2);
  EXPECT_EQ(m.writable, 0);
  EXPECT_EQ(m.result, PLOTARA_TEXT);
  EXPECT_EQ(plotara_member_info("Nope", &m), 438);
}

// The wheel, a pinch, a pan and the keys in pixels of the picture; the view's change names its graph;
// the nearest point gives its data set's name.
TEST_F(CInterface, NavigationInPixelsReportsTheViewAndFindsPoints) {
  ASSERT_EQ(plotara_resize(c_, 400, 300), PLOTARA_OK);
  ASSERT_EQ(Call("NewGraph", {plotara_text("Sales"), plotara_double(0), plotara_double(10), plotara_double(0),
                              plotara_double(10)}),
            PLOTARA_OK);
  ASSERT_EQ(Call("NewDataSet", {plotara_text("2026")}), PLOTARA_OK);
  const double x[] = {5}, y[] = {5};
  ASSERT_EQ(plotara_add_points(c_, x, y, nullptr, 1), PLOTARA_OK);
  ASSERT_EQ(Call("Refresh"), PLOTARA_OK);
  std::vector<std::string> views;
  auto onView = [](void* user, plotara_event event, const char* source, const char* description) {
    ASSERT_EQ(event, PLOTARA_VIEW_CHANGED);
    static_cast<std::vector<std::string>*>(user)->push_back(std::string(source) + " " + description);
  };
  ASSERT_EQ(plotara_set_event_handler(c_, PLOTARA_VIEW_CHANGED, onView, &views), PLOTARA_OK);
  // The point (5, 5) lies in the middle of the plot area; the corner of the picture is no plot area.
  plotara_point point;
  ASSERT_EQ(plotara_nearest_point(c_, 1, 1, 1000, &point), PLOTARA_OK);
  EXPECT_EQ(point.found, 0);
  int taken = -1;
  ASSERT_EQ(plotara_wheel(c_, 1, 1, 120, 0, &taken), PLOTARA_OK);
  EXPECT_EQ(taken, 0);
  plotara_value lo, hi;
  double px = 0, py = 0;  // where (5, 5) is drawn: found from the plot's middle
  for (int i = 0; i < 400 && !point.found; i += 10)
    for (int j = 0; j < 300 && !point.found; j += 10)
      if (plotara_nearest_point(c_, i, j, 8, &point) == PLOTARA_OK && point.found) px = i, py = j;
  ASSERT_EQ(point.found, 1);
  EXPECT_STREQ(point.name, "2026");
  EXPECT_EQ(point.x, 5);
  EXPECT_LE(point.distance, 8);
  ASSERT_EQ(plotara_wheel(c_, px, py, 480, 1, &taken), PLOTARA_OK);  // Shift: X only, by 2
  EXPECT_EQ(taken, 1);
  ASSERT_EQ(Call("SelectXaxis"), PLOTARA_OK);
  ASSERT_EQ(plotara_get(c_, "AxisViewValue1", &lo), PLOTARA_OK);
  ASSERT_EQ(plotara_get(c_, "AxisViewValue2", &hi), PLOTARA_OK);
  EXPECT_NEAR(hi.number - lo.number, 5, 1e-6);
  ASSERT_EQ(plotara_pinch(c_, px, py, 2, &taken), PLOTARA_OK);
  ASSERT_EQ(plotara_pan(c_, px, py, 10, 0, &taken), PLOTARA_OK);
  EXPECT_EQ(taken, 1);
  ASSERT_EQ(plotara_key(c_, PLOTARA_KEY_HOME, 0, &taken), PLOTARA_OK);
  EXPECT_EQ(taken, 1);
  EXPECT_EQ(views, (std::vector<std::string>(4, "0 Sales")));
  ASSERT_EQ(plotara_put(c_, "KeyNavigation", plotara_boolean(0)), PLOTARA_OK);
  ASSERT_EQ(plotara_key(c_, PLOTARA_KEY_ADD, 0, nullptr), PLOTARA_OK);
  EXPECT_EQ(views.size(), 4u);
  EXPECT_EQ(plotara_wheel(c_, std::nan(""), 1, 120, 0, &taken), 5) << "a position that is no number";
  EXPECT_EQ(plotara_nearest_point(c_, px, py, 8, nullptr), 5);
}

TEST(CInterfaceCreate, RejectsAResolutionOutOfRange) {
  plotara_control* c = reinterpret_cast<plotara_control*>(1);
  EXPECT_EQ(plotara_create(0, &c), 5);
  EXPECT_EQ(c, nullptr);
  EXPECT_NE(std::string(plotara_last_error()).find("dpi"), std::string::npos);
}

}  // namespace
