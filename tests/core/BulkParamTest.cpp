#include "StatePluginFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {
/** Six parameters: three in group "A", three in group "B", stepped in B. */
struct GroupPlugin : StateTestPlugin {
  GroupPlugin() : StateTestPlugin(StateTestConfig(6, 1)) {
    for (int i = 0; i < 3; ++i)
      GetParam(i)->DefineDouble("a", 0.25, 0, 1, 0.001, "", 0, "A");
    for (int i = 3; i < 6; ++i)
      GetParam(i)->DefineDouble("b", 2, 0, 4, 1, "", IParam::FlagStepped, "B");
  }
};
} // namespace

TEST(BulkParams, DefaultsByRangeAndGroupClipToTheList) {
  GroupPlugin plugin;
  for (int i = 0; i < 6; ++i)
    plugin.GetParam(i)->SetValue(1.0);
  plugin.DefaultParamValues(1, 100);
  EXPECT_EQ(plugin.GetParam(0)->Value(), 1.0);
  EXPECT_EQ(plugin.GetParam(1)->Value(), 0.25);
  EXPECT_EQ(plugin.GetParam(5)->Value(), 2.0);
  plugin.GetParam(4)->SetValue(4.0);
  plugin.DefaultParamValues("B");
  EXPECT_EQ(plugin.GetParam(4)->Value(), 2.0);
  plugin.DefaultParamValues();
  EXPECT_EQ(plugin.GetParam(0)->Value(), 0.25);
}

TEST(BulkParams, RandomValuesStayInRangeAndOnSteps) {
  GroupPlugin plugin;
  std::srand(7);
  bool moved = false;
  for (int round = 0; round < 50; ++round) {
    plugin.RandomiseParamValues();
    for (int i = 0; i < 6; ++i) {
      const double v = plugin.GetParam(i)->Value();
      EXPECT_GE(v, 0.0);
      EXPECT_LE(v, i < 3 ? 1.0 : 4.0);
      if (i >= 3) {
        EXPECT_EQ(v, static_cast<int>(v));
      }
      moved = moved || v != plugin.GetParam(i)->Default();
    }
  }
  EXPECT_TRUE(moved);
  plugin.DefaultParamValues();
  plugin.RandomiseParamValues("B");
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(plugin.GetParam(i)->Value(), 0.25);
}

TEST(BulkParams, CopiesAreSnappedAndClampedToTheTarget) {
  GroupPlugin plugin;
  plugin.GetParam(0)->SetValue(0.6);
  plugin.GetParam(1)->SetValue(0.2);
  plugin.CopyParamValues(0, 3, 2);
  EXPECT_EQ(plugin.GetParam(3)->Value(), 1.0);
  EXPECT_EQ(plugin.GetParam(4)->Value(), 0.0);
  plugin.CopyParamValues(4, 10, 5); // runs off the end: nothing out of range is touched
  for (int i = 3; i < 6; ++i)
    plugin.GetParam(i)->SetValue(3.0);
  plugin.CopyParamValues("B", "A");
  EXPECT_EQ(plugin.GetParam(2)->Value(), 1.0);
  int visited = 0;
  plugin.ForParamInGroup("A", [&](int idx, IParam&) { visited += idx + 1; });
  EXPECT_EQ(visited, 6);
}

TEST(BulkParams, RangesAreDefinedAndClonedWithRunningNamesAndValues) {
  GroupPlugin plugin;
  plugin.InitParamRange(0, 2, 1, "Band %d", 0.5, 0, 1, 0.01, "", 0, "Bands");
  EXPECT_STREQ(plugin.GetParam(0)->Name(), "Band 1");
  EXPECT_STREQ(plugin.GetParam(2)->Name(), "Band 3");
  EXPECT_STREQ(plugin.GetParam(2)->Group(), "Bands");
  plugin.GetParam(1)->SetValue(0.75);
  plugin.CloneParamRange(0, 2, 3, "Band", "Copy", "Copies");
  EXPECT_STREQ(plugin.GetParam(4)->Name(), "Copy 2");
  EXPECT_STREQ(plugin.GetParam(4)->Group(), "Copies");
  EXPECT_EQ(plugin.GetParam(4)->Value(), 0.75);
  EXPECT_EQ(plugin.GetParam(4)->Max(), 1.0);
  plugin.CloneParamRange(4, 50, 5); // only as many as exist on both sides
  EXPECT_EQ(plugin.GetParam(5)->Value(), 0.75);
}
