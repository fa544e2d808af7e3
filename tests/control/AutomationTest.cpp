#include "plotara/Automation.h"

#include <gtest/gtest.h>

#include "plotara/Plotara.h"
#include "support/Errors.h"

namespace plotara {
namespace {

TEST(Automation, FindsMembersWithoutRegardToCase) {
  Plotara p;
  EXPECT_EQ(Get(p, "version").ToString(), "1.02");
  EXPECT_EQ(Get(p, "GRAPHINDEX").ToInteger(), 0);
  Put(p, "suppressraisingevents", Variant("True"));
  EXPECT_TRUE(p.SuppressRaisingEvents());
  EXPECT_EQ(Invoke(p, "SuppressRaisingEvents"), Variant(true)) << "a property read through Invoke";
}

TEST(Automation, RefusesWhatTheInterfaceDoesNotOffer) {
  Plotara p;
  struct Row {
    std::function<void()> call;
    int number;
  };
  const Row rows[] = {
      {[&] { Get(p, "NoSuchMember"); }, 438},
      {[&] { Put(p, "Version", Variant("2")); }, 383},
      {[&] { Put(p, "Reset", Variant(1)); }, 438},
      {[&] { Invoke(p, "Reset", {Variant(1)}); }, 450},
      {[&] { Put(p, "SuppressRaisingEvents", Variant("perhaps")); }, 13},
  };
  for (const Row& r : rows) EXPECT_EQ(test::ErrorNumberOf(r.call), r.number);
}

TEST(Automation, EveryMemberHasItsAccessorsAndASignature) {
  for (const MemberInfo& m : Members().All()) {
    SCOPED_TRACE(m.Name);
    if (m.Kind == MemberKind::Method) {
      EXPECT_TRUE(m.Call);
      EXPECT_EQ(Signature(m).rfind(m.Type == VarType::Empty ? "Sub " + m.Name : "Function " + m.Name, 0), 0u);
    } else {
      EXPECT_TRUE(m.Get);
      EXPECT_EQ(Signature(m).rfind("Property " + m.Name, 0), 0u);
    }
    EXPECT_EQ(Members().Find(m.Name), &m) << "names are unique";
  }
}

}  // namespace
}  // namespace plotara
