#include "ResourceTestGraphics.h"
#include "SharedBitmapCache.h"

#include <gtest/gtest.h>

namespace {

class BitmapLoading : public ::testing::Test {
protected:
  size_t CachedBitmaps() {
    std::lock_guard<std::mutex> lock(SharedBitmapCache().Mutex());
    return SharedBitmapCache().Size();
  }

  TempBundle bundle;
  TestDelegate dlg;
  std::unique_ptr<ResourceTestGraphics> g = std::make_unique<ResourceTestGraphics>(dlg);
};

TEST_F(BitmapLoading, OnlyThePlainFileServesEveryDensity) {
  bundle.Resource("Nuppi.png", "64x32");
  const IBitmapHandle bitmap = g->LoadBitmapResource("Nuppi.png", 3, true, 2);
  ASSERT_TRUE(bitmap.IsValid());
  ASSERT_EQ(g->decodes.size(), 1u);
  EXPECT_EQ(g->decodes[0].path, bundle.ResourcePath("Nuppi.png"));
  EXPECT_EQ(g->decodes[0].scale, 1) << "Nuppi@2x.png and Nuppi@3x.png are absent";
  EXPECT_EQ(bitmap.W(), 64);
  EXPECT_EQ(bitmap.H(), 32);
  EXPECT_EQ(bitmap.N(), 3);
  EXPECT_TRUE(bitmap.GetFramesAreHorizontal());
  EXPECT_EQ(bitmap.GetResourceName(), "Nuppi.png");
  EXPECT_EQ(bitmap.FW(), 21);
  EXPECT_EQ(bitmap.FH(), 32);

  // The backend could not rescale, so the 1x bitmap stays cached under its own density and
  // serves the next request without decoding again.
  EXPECT_EQ(g->scalings.size(), 1u);
  EXPECT_EQ(g->LoadBitmapResource("Nuppi.png", 3, true, 1).GetAPIBitmap(), bitmap.GetAPIBitmap());
  EXPECT_EQ(g->decodes.size(), 1u);
}

TEST_F(BitmapLoading, TheDoubleDensityFileIsHalvedIntoPoints) {
  bundle.Resource("Nuppi@2x.png", "128x64");
  const IBitmapHandle bitmap = g->LoadBitmapResource("Nuppi.png", 1, false, 2);
  ASSERT_EQ(g->decodes.size(), 1u);
  EXPECT_EQ(g->decodes[0].path, bundle.ResourcePath("Nuppi@2x.png"));
  EXPECT_EQ(g->decodes[0].scale, 2);
  EXPECT_EQ(bitmap.GetAPIBitmap()->Width(), 128);
  EXPECT_EQ(bitmap.W(), 64);
  EXPECT_EQ(bitmap.H(), 32);
  EXPECT_TRUE(g->scalings.empty()) << "found at the target density";
}

TEST_F(BitmapLoading, AnotherDensityIsRescaledToTheTarget) {
  g->canScale = true;
  bundle.Resource("Nuppi@2x.png", "129x64");
  const IBitmapHandle bitmap = g->LoadBitmapResource("Nuppi.png", 1, false, 1);
  ASSERT_EQ(g->scalings.size(), 1u);
  // 64.5 x 32 points, pixel-aligned outwards at density 1.
  EXPECT_EQ(g->scalings[0].widthPx, 65);
  EXPECT_EQ(g->scalings[0].heightPx, 32);
  EXPECT_EQ(g->scalings[0].targetScale, 1);
  EXPECT_EQ(bitmap.GetAPIBitmap()->Scale(), 1.f);
  EXPECT_EQ(bitmap.W(), 65);
  EXPECT_EQ(CachedBitmaps(), 1u) << "the bitmap decoded only to be rescaled is not kept";
  EXPECT_EQ(CountedBitmap::sLiving, 1);

  EXPECT_EQ(g->LoadBitmapResource("Nuppi.png", 1, false, 1).GetAPIBitmap(), bitmap.GetAPIBitmap());
  EXPECT_EQ(g->decodes.size(), 1u);
}

TEST_F(BitmapLoading, ScreenDensityIsTheDefaultTarget) {
  bundle.Resource("Nuppi.png", "64x32");
  bundle.Resource("Nuppi@2x.png", "128x64");
  EXPECT_EQ(g->LoadBitmapResource("Nuppi.png").GetAPIBitmap()->Scale(), 1.f);
  g->SetScreenScale(1.5f);
  EXPECT_EQ(g->LoadBitmapResource("Nuppi.png").GetAPIBitmap()->Scale(), 2.f) << "ceil(1.5)";
}

TEST_F(BitmapLoading, NamesWithoutExtensionAndDottedFolders) {
  // Such names have no type to look for in the resources folders; as absolute paths they are
  // found, variants included.
  bundle.Write("art/Knob@2x", "40x40");
  const IBitmapHandle knob =
      g->LoadBitmapResource((bundle.Root() + "/art/Knob").c_str(), 1, false, 2);
  ASSERT_TRUE(knob.IsValid());
  EXPECT_EQ(g->askedExtensions.back(), "");
  EXPECT_EQ(g->decodes.back().path, bundle.Root() + "/art/Knob@2x");
  EXPECT_EQ(g->decodes.back().scale, 2);

  bundle.Write("folder.v2/Knob@2x", "40x40");
  const IBitmapHandle dotted =
      g->LoadBitmapResource((bundle.Root() + "/folder.v2/Knob").c_str(), 1, false, 2);
  ASSERT_TRUE(dotted.IsValid());
  EXPECT_EQ(g->decodes.back().path, bundle.Root() + "/folder.v2/Knob@2x");

  bundle.Resource("img.v1/Dial@3x.png", "30x30");
  EXPECT_TRUE(g->LoadBitmapResource("img.v1/Dial.png", 1, false, 3).IsValid());
  EXPECT_EQ(g->decodes.back().path, bundle.ResourcePath("img.v1/Dial@3x.png"));
}

TEST_F(BitmapLoading, SharedResourcesFolderIsSearchedAfterTheBundle) {
  bundle.Write("Music/Kelvora/Resources/Shared.png", "10x10");
  EXPECT_FALSE(g->LoadBitmapResource("Shared.png", 1, false, 1).IsValid());
  g->SetSharedResourcesSubPath("Kelvora");
  EXPECT_TRUE(g->LoadBitmapResource("Shared.png", 1, false, 1).IsValid());
  EXPECT_EQ(g->decodes.back().path, bundle.Root() + "/Music/Kelvora/Resources/Shared.png");
}

TEST_F(BitmapLoading, UnusableFilesGiveTheEmptyBitmap) {
  bundle.Resource("Anim.gif", "10x10");
  const IBitmapHandle gif = g->LoadBitmapResource("Anim.gif", 1, false, 1);
  EXPECT_FALSE(gif.IsValid());
  EXPECT_EQ(gif.W(), 0);
  EXPECT_EQ(gif.GetResourceName(), "");
  EXPECT_TRUE(g->decodes.empty()) << "an extension the backend refuses is never decoded";

  bundle.Resource("Broken.png", "not an image");
  EXPECT_FALSE(g->LoadBitmapResource("Broken.png", 1, false, 1).IsValid());
  EXPECT_EQ(g->decodes.size(), 1u);
  EXPECT_EQ(CachedBitmaps(), 0u);
}

TEST_F(BitmapLoading, ABitmapGoneFromDiskIsServedFromAnotherCachedDensity) {
  const std::string file = bundle.Resource("Nuppi.png", "64x32");
  const IBitmapHandle first = g->LoadBitmapResource("Nuppi.png", 1, false, 1);
  std::filesystem::remove(file);
  const IBitmapHandle second = g->LoadBitmapResource("Nuppi.png", 1, false, 2);
  EXPECT_EQ(second.GetAPIBitmap(), first.GetAPIBitmap());
  EXPECT_EQ(g->decodes.size(), 1u);
}

TEST_F(BitmapLoading, BitmapAtScaleFollowsTheScreen) {
  bundle.Resource("Knob.png", "50x500");
  bundle.Resource("Knob@2x.png", "100x1000");
  const IBitmapHandle knob = g->LoadBitmapResource("Knob.png", 10, false, 0);
  EXPECT_EQ(knob.GetAPIBitmap()->Scale(), 1.f);
  g->SetScreenScale(2.f);
  const IBitmapHandle sharp = g->BitmapAtScale(knob);
  EXPECT_EQ(sharp.GetAPIBitmap()->Scale(), 2.f);
  EXPECT_EQ(sharp.N(), 10);
  EXPECT_FALSE(sharp.GetFramesAreHorizontal());
  EXPECT_EQ(sharp.W(), knob.W());
  EXPECT_EQ(sharp.FH(), 50);
  EXPECT_FALSE(g->BitmapAtScale(IBitmapHandle()).IsValid());
}

TEST_F(BitmapLoading, CacheAndUncacheBitmaps) {
  const IBitmapHandle made = g->CacheBitmap(std::make_unique<CountedBitmap>(20, 20, 2.f), "Made");
  EXPECT_EQ(made.W(), 10);
  EXPECT_EQ(g->LoadBitmapResource("Made", 1, false, 2).GetAPIBitmap(), made.GetAPIBitmap());

  const IBitmapHandle again = g->CacheBitmap(std::make_unique<CountedBitmap>(8, 8, 2.f), "Made");
  EXPECT_EQ(again.GetAPIBitmap(), made.GetAPIBitmap()) << "the cached bitmap is kept";
  EXPECT_EQ(CountedBitmap::sLiving, 1);

  g->UncacheBitmap(made);
  EXPECT_EQ(CountedBitmap::sLiving, 0);
  EXPECT_FALSE(g->LoadBitmapResource("Made", 1, false, 2).IsValid());
}

TEST(BitmapCacheKey, NameFollowedByTheScale) {
  EXPECT_EQ(StaticStorage<APIBitmap>::KeyHash("Nuppi.png", 2.0),
            std::hash<std::string>()("Nuppi.png-2.0x"));
  EXPECT_EQ(StaticStorage<APIBitmap>::KeyHash("Nuppi.png", 1.0),
            std::hash<std::string>()("Nuppi.png-1.0x"));
}

} // namespace
