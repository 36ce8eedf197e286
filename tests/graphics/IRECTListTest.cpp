#include "IRECTList.h"

#include <gtest/gtest.h>

namespace {

float CoveredArea(const IRECTList& list) {
  float a = 0.f;
  for (int i = 0; i < list.Size(); ++i)
    a += list.Get(i).Area();
  return a;
}

bool Disjoint(const IRECTList& list) {
  for (int i = 0; i < list.Size(); ++i)
    for (int j = i + 1; j < list.Size(); ++j) {
      const IRECT a = list.Get(i), b = list.Get(j);
      if (a.L < b.R && b.L < a.R && a.T < b.B && b.T < a.B) return false;
    }
  return true;
}

// Every sample point of the original rectangles must still be covered.
bool Covers(const IRECTList& list, const std::vector<IRECT>& original) {
  for (const IRECT& r : original)
    for (float x = r.L + 0.5f; x < r.R; x += 1.f)
      for (float y = r.T + 0.5f; y < r.B; y += 1.f) {
        bool hit = false;
        for (int i = 0; i < list.Size() && !hit; ++i)
          hit = list.Get(i).Contains(x, y);
        if (!hit) return false;
      }
  return true;
}

} // namespace

TEST(IRECT, ContainsIntersectUnion) {
  const IRECT r(10, 10, 20, 20);
  EXPECT_TRUE(r.Contains(10, 10));
  EXPECT_FALSE(r.Contains(20, 15));
  EXPECT_FALSE(IRECT().Contains(0, 0));
  EXPECT_EQ(r.Intersect(IRECT(15, 15, 30, 30)), IRECT(15, 15, 20, 20));
  EXPECT_TRUE(r.Intersect(IRECT(30, 30, 40, 40)).Empty());
  EXPECT_EQ(IRECT().Union(r), r);
  EXPECT_EQ(r.GetPixelAligned(2.f), r);
  EXPECT_EQ(IRECT(0.3f, 0.3f, 1.2f, 1.2f).GetPixelAligned(2.f), IRECT(0.f, 0.f, 1.5f, 1.5f));
  EXPECT_EQ(r.GetPadded(0.75f), IRECT(9.25f, 9.25f, 20.75f, 20.75f));
}

TEST(IRECTList, ContainedRectangleCollapsesToTheLarger) {
  IRECTList list;
  list.Add(IRECT(20, 20, 30, 30));
  list.Add(IRECT(0, 0, 100, 100));
  list.Optimize();
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.Get(0), IRECT(0, 0, 100, 100));
}

TEST(IRECTList, StackedEqualWidthsMergeIntoTheirUnion) {
  IRECTList list;
  list.Add(IRECT(0, 0, 50, 20));
  list.Add(IRECT(0, 20, 50, 40));
  list.Optimize();
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.Get(0), IRECT(0, 0, 50, 40));
}

TEST(IRECTList, OverlapsBecomeDisjointWithoutLosingArea) {
  const std::vector<std::vector<IRECT>> cases = {
      {IRECT(0, 0, 40, 40), IRECT(20, 20, 60, 60)},                       // corner overlap
      {IRECT(0, 0, 40, 40), IRECT(10, 30, 30, 60)},                       // edge overlap
      {IRECT(0, 0, 40, 40), IRECT(-10, 10, 50, 20)},                      // a crossing bar
      {IRECT(0, 0, 40, 40), IRECT(30, 0, 60, 40), IRECT(10, 35, 70, 80)}, // three
  };
  for (const auto& rects : cases) {
    IRECTList list;
    for (const IRECT& r : rects)
      list.Add(r);
    list.Optimize();
    EXPECT_TRUE(Disjoint(list));
    EXPECT_TRUE(Covers(list, rects));
    EXPECT_LE(CoveredArea(list), 40.f * 40.f * 3.f + 60.f * 45.f);
  }
}

TEST(IRECTList, OutOfRangeIndexGivesEmpty) {
  IRECTList list;
  EXPECT_TRUE(list.Get(3).Empty());
  list.Set(-1, IRECT(1, 1, 2, 2));
  EXPECT_EQ(list.Size(), 0);
  EXPECT_TRUE(list.Bounds().Empty());
}
