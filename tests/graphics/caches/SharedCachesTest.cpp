#include "ResourceTestGraphics.h"
#include "SharedBitmapCache.h"
#include "SvgCache.h"

#include <gtest/gtest.h>

namespace {

int BitmapCacheHolders() {
  std::lock_guard<std::mutex> lock(SharedBitmapCache().Mutex());
  return SharedBitmapCache().RefCount();
}

int SvgCacheHolders() {
  std::lock_guard<std::mutex> lock(SvgCache().Mutex());
  return SvgCache().RefCount();
}

constexpr const char* kSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='16'><rect width='24' "
    "height='16'/></svg>";

TEST(SharedCaches, TwoEditorsShareBitmapsUntilTheLastCloses) {
  TempBundle bundle;
  bundle.Resource("Nuppi.png", "64x32");
  bundle.Resource("Icon.svg", kSvg);
  TestDelegate dlg1, dlg2;
  ASSERT_EQ(BitmapCacheHolders(), 0);

  auto first = std::make_unique<ResourceTestGraphics>(dlg1);
  auto second = std::make_unique<ResourceTestGraphics>(dlg2);
  EXPECT_EQ(BitmapCacheHolders(), 2);
  EXPECT_EQ(SvgCacheHolders(), 2);

  const IBitmapHandle a = first->LoadBitmapResource("Nuppi.png", 1, false, 1);
  const IBitmapHandle b = second->LoadBitmapResource("Nuppi.png", 1, false, 1);
  EXPECT_EQ(a.GetAPIBitmap(), b.GetAPIBitmap());
  EXPECT_EQ(first->decodes.size() + second->decodes.size(), 1u) << "decoded once per process";
  const ISVG svg = first->LoadSvgResource("Icon.svg");
  EXPECT_EQ(second->LoadSvgResource("Icon.svg").Handle(), svg.Handle());

  first.reset();
  EXPECT_EQ(BitmapCacheHolders(), 1);
  EXPECT_EQ(CountedBitmap::sLiving, 1) << "the other editor still draws it";
  EXPECT_EQ(second->LoadBitmapResource("Nuppi.png", 1, false, 1).GetAPIBitmap(), b.GetAPIBitmap());
  EXPECT_EQ(second->LoadSvgResource("Icon.svg").Handle(), svg.Handle());

  second.reset();
  EXPECT_EQ(BitmapCacheHolders(), 0);
  EXPECT_EQ(SvgCacheHolders(), 0);
  EXPECT_EQ(CountedBitmap::sLiving, 0);
  std::lock_guard<std::mutex> lock(SvgCache().Mutex());
  EXPECT_EQ(SvgCache().Size(), 0u);
}

TEST(SharedCaches, ReopeningAfterTheLastCloseLoadsAfresh) {
  TempBundle bundle;
  bundle.Resource("Nuppi.png", "64x32");
  TestDelegate dlg;
  {
    ResourceTestGraphics g(dlg);
    g.LoadBitmapResource("Nuppi.png", 1, false, 1);
  }
  ResourceTestGraphics g(dlg);
  EXPECT_TRUE(g.LoadBitmapResource("Nuppi.png", 1, false, 1).IsValid());
  EXPECT_EQ(g.decodes.size(), 1u);
}

TEST(SharedCaches, AnUnbalancedReleaseKeepsTheCount) {
  StaticStorage<int> storage;
  storage.Retain();
  storage.Add("a", 1.0, std::make_unique<int>(1));
  storage.Release();
  storage.Release();
  EXPECT_EQ(storage.RefCount(), 0);
  storage.Retain();
  EXPECT_EQ(storage.RefCount(), 1);
  EXPECT_EQ(storage.Size(), 0u);
}

} // namespace
