// The C interface under misuse a careful caller still commits: texts passed straight back, a control
// destroyed from its own event handler, type codes and list counts that do not match what was passed.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "plotara/plotara_c.h"

namespace {

int Call(plotara_control* c, const char* member, std::vector<plotara_value> args = {},
         plotara_value* result = nullptr) {
  return plotara_invoke(c, member, static_cast<int>(args.size()), args.data(), nullptr, result);
}

class CInterfaceSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(plotara_create(96, &c_), PLOTARA_OK) << plotara_last_error();
    ASSERT_EQ(Call(c_, "NewGraph", {plotara_text("g")}), PLOTARA_OK);
  }
  void TearDown() override { plotara_destroy(c_); }

  plotara_control* c_ = nullptr;
};

// Texts long enough to live on the heap, so that a freed one is overwritten.
const std::string kLegend = "a data set whose legend is long enough to be allocated";
const std::string kFormula = "40 + 3 * x + 0.001 * x * x + 0.000001 * x * x * x";

TEST_F(CInterfaceSafety, TextsHandedOutCanBePassedStraightIntoTheNextCall) {
  struct Case {
    const char* property;  // read, then passed as the argument of method
    const char* method;
    const std::string& expected;
  } cases[] = {{"DataLegend", "NewDataSet", kLegend}, {"MathFunc", "AddMathFunc", kFormula}};
  for (const Case& k : cases) {
    ASSERT_EQ(Call(c_, "NewDataSet", {plotara_text(kLegend.c_str())}), PLOTARA_OK);
    ASSERT_EQ(Call(c_, "AddMathFunc", {plotara_text(kFormula.c_str())}), PLOTARA_OK);
    plotara_value v;
    ASSERT_EQ(plotara_get(c_, k.property, &v), PLOTARA_OK) << k.property;
    ASSERT_EQ(plotara_invoke(c_, k.method, 1, &v, nullptr, nullptr), PLOTARA_OK) << k.method;
    ASSERT_EQ(plotara_get(c_, k.property, &v), PLOTARA_OK);
    EXPECT_EQ(v.text, k.expected) << k.method;
  }
  // A property put from a result.
  plotara_value legend;
  ASSERT_EQ(plotara_get(c_, "DataLegend", &legend), PLOTARA_OK);
  ASSERT_EQ(plotara_put(c_, "AxisTitle", legend), PLOTARA_OK);
  plotara_value title;
  ASSERT_EQ(plotara_get(c_, "AxisTitle", &title), PLOTARA_OK);
  EXPECT_EQ(title.text, kLegend);
}

// A handler that destroys the control it is called from, then counts what reaches it afterwards.
struct Destroyer {
  plotara_control* control;
  int calls = 0;
  int statusAfter = -1;  // of a call on the destroyed control made from the handler
};

void DestroyOnFirstEvent(void* user, plotara_event, const char*, const char*) {
  auto* d = static_cast<Destroyer*>(user);
  if (++d->calls > 1) return;
  plotara_destroy(d->control);
  plotara_value v;
  d->statusAfter = plotara_get(d->control, "GraphIndex", &v);
}

TEST(CInterfaceLifetime, DestroyInsideAnEventHandlerWaitsForTheRunningCall) {
  struct Case {
    plotara_event event;
    const char* method;  // raises the event
    plotara_value arg;
  } cases[] = {
      {PLOTARA_GRAPH_SCALE_CHANGED, "NewGraph", plotara_text("g")},  // one event per new axis
      {PLOTARA_ERROR_MSG, "SetSelectedData", plotara_long(1)},       // no graph, so no data set
  };
  for (const Case& k : cases) {
    plotara_control* c = nullptr;
    ASSERT_EQ(plotara_create(96, &c), PLOTARA_OK);
    ASSERT_EQ(plotara_resize(c, 200, 150), PLOTARA_OK);
    Destroyer d{c};
    ASSERT_EQ(plotara_set_event_handler(c, k.event, DestroyOnFirstEvent, &d), PLOTARA_OK);
    plotara_value arg = k.arg;
    // The call finishes on a live control; the handler hears nothing after it destroyed the control,
    // and a call it makes on the destroyed control is refused.
    EXPECT_EQ(plotara_invoke(c, k.method, 1, &arg, nullptr, nullptr), PLOTARA_OK) << k.method;
    EXPECT_EQ(d.calls, 1) << k.method;
    EXPECT_EQ(d.statusAfter, 91) << k.method;
  }
}

TEST_F(CInterfaceSafety, TypeCodesOutsideTheEnumerationAreATypeMismatch) {
  for (int32_t code : {7, 8, 100, -1, INT32_MIN, INT32_MAX}) {
    plotara_value v = plotara_long(1);
    std::memcpy(&v.type, &code, sizeof code);  // as a C caller may write it
    EXPECT_EQ(plotara_put(c_, "AxisColor", v), 13) << code;
    EXPECT_EQ(plotara_invoke(c_, "SetSelectedGraph", 1, &v, nullptr, nullptr), 13) << code;
  }
  plotara_value v;
  ASSERT_EQ(plotara_get(c_, "GraphIndex", &v), PLOTARA_OK);
  EXPECT_EQ(v.integer, 0) << "nothing was changed";
}

TEST_F(CInterfaceSafety, ListsKeepTextsWithLineBreaksWhole) {
  const std::vector<std::string> names = {"one\ntwo", "", "three\r\n", "\n"};
  for (const std::string& n : names) ASSERT_EQ(Call(c_, "NewDataSet", {plotara_text(n.c_str())}), PLOTARA_OK);
  plotara_value out[] = {plotara_missing(), plotara_missing()};
  ASSERT_EQ(plotara_invoke(c_, "GetDataSetNames", 2, out, nullptr, nullptr), PLOTARA_OK)
      << plotara_last_error();
  ASSERT_EQ(out[0].type, PLOTARA_TEXTS);
  ASSERT_EQ(out[1].integer, 4);
  ASSERT_EQ(out[0].integer, 5);  // and an empty entry after them
  for (int i = 0; i < 4; ++i) EXPECT_EQ(out[0].texts[i], names[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(out[0].texts[5], nullptr);
  // The list goes back in as it came out (the method overwrites it).
  ASSERT_EQ(plotara_invoke(c_, "GetDataSetNames", 2, out, nullptr, nullptr), PLOTARA_OK)
      << plotara_last_error();
  EXPECT_EQ(out[0].texts[0], names[0]);
}

TEST_F(CInterfaceSafety, ListCountsMustMatchTheTextsPassed) {
  const char* two[] = {"a", "b", nullptr};
  const char* unterminated[] = {"a", "b", "c"};
  struct Case {
    int32_t count;
    const char* const* texts;
    int status;
  } cases[] = {
      {2, two, PLOTARA_OK},
      {0, nullptr, PLOTARA_OK},
      {INT32_MAX, two, 5},
      {3, two, 5},
      {1, two, 5},
      {-1, two, 5},
      {1, nullptr, 5},
      {2, unterminated, 5},
      {INT32_MIN, nullptr, 5},
  };
  for (const Case& k : cases) {
    plotara_value args[] = {plotara_texts(k.texts, k.count), plotara_missing()};
    EXPECT_EQ(plotara_invoke(c_, "GetAxisNames", 2, args, nullptr, nullptr), k.status) << k.count;
    if (k.status != PLOTARA_OK) {
      EXPECT_NE(std::string(plotara_last_error()).find("count"), std::string::npos) << plotara_last_error();
    }
  }
}

TEST_F(CInterfaceSafety, ArgumentsBeyondTheParametersAreRefusedUnread) {
  plotara_value one = plotara_long(0);
  struct Case {
    const char* member;
    int nargs;
    int status;
  } cases[] = {{"Refresh", 1, 450},
               {"GraphIndex", 1, 450},
               {"SetSelectedGraph", 2, 450},
               {"SetSelectedGraph", INT32_MAX, 450},
               {"NoSuchMember", INT32_MAX, 438}};
  // args points to one value: a count beyond the parameters must not make the call read further.
  for (const Case& k : cases)
    EXPECT_EQ(plotara_invoke(c_, k.member, k.nargs, &one, nullptr, nullptr), k.status) << k.member << k.nargs;
}

TEST(CInterfaceThreads, AControlBusyOnOneThreadRefusesCallsFromAnother) {
  plotara_control* c = nullptr;
  ASSERT_EQ(plotara_create(96, &c), PLOTARA_OK);
  struct Probe {
    plotara_control* control;
    int statusElsewhere = -1, statusHere = -1;
  } probe{c};
  // While NewGraph runs on this thread, its handler has another thread try the control.
  auto handler = [](void* user, plotara_event, const char*, const char*) {
    auto* p = static_cast<Probe*>(user);
    if (p->statusElsewhere != -1) return;
    std::thread other([p] {
      plotara_value v;
      p->statusElsewhere = plotara_get(p->control, "GraphIndex", &v);
    });
    other.join();
    plotara_value v;
    p->statusHere = plotara_get(p->control, "GraphIndex", &v);  // the handler itself may call back
  };
  ASSERT_EQ(plotara_set_event_handler(c, PLOTARA_GRAPH_SCALE_CHANGED, handler, &probe), PLOTARA_OK);
  plotara_value name = plotara_text("g");
  EXPECT_EQ(plotara_invoke(c, "NewGraph", 1, &name, nullptr, nullptr), PLOTARA_OK);
  EXPECT_EQ(probe.statusElsewhere, 5);
  EXPECT_EQ(probe.statusHere, PLOTARA_OK);
  // Between calls any thread may use it.
  std::thread later([&] {
    plotara_value v;
    probe.statusElsewhere = plotara_get(c, "GraphIndex", &v);
  });
  later.join();
  EXPECT_EQ(probe.statusElsewhere, PLOTARA_OK);
  plotara_destroy(c);
}

}  // namespace
