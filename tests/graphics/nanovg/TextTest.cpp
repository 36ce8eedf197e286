#include "NanoVGFixture.h"

#include "FontDataCache.h"
#include "FontLoading.h"

namespace {

const char* kRoboto = "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf";

} // namespace

class TextFixture : public NanoVGFixture {
protected:
  void SetUp() override {
    NanoVGFixture::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(mGraphics->LoadFontResource("Roboto-Regular", kRoboto));
  }
};

TEST_F(TextFixture, RobotoMeasuresInProportionToItsSize) {
  IRECT small(0, 0, kWidth, kHeight), large(0, 0, kWidth, kHeight);
  const float w12 = mGraphics->MeasureTextBounds(IText(12.f, COLOR_BLACK), "Kelvora", small);
  const float w24 = mGraphics->MeasureTextBounds(IText(24.f, COLOR_BLACK), "Kelvora", large);
  EXPECT_GT(w12, 30.f);
  EXPECT_NEAR(w24 / w12, 2.f, 0.1f);
  EXPECT_NEAR(large.H() / small.H(), 2.f, 0.15f);
  // Centre and middle alignment anchor the text at the rectangle's centre.
  EXPECT_NEAR(large.MW(), kWidth / 2.f, 1.f);
  EXPECT_NEAR(large.MH(), kHeight / 2.f, 3.f);
}

TEST_F(TextFixture, RenderedTextStaysInsideItsMeasuredBounds) {
  IText text(24.f, COLOR_WHITE);
  text.mAlign = kAlignNear;
  text.mVAlign = kVAlignTop;
  IRECT bounds(10, 10, 110, 90);
  mGraphics->MeasureTextBounds(text, "Kelvora", bounds);
  EXPECT_NEAR(bounds.L, 10.f, 2.f);
  DrawFrame([&](TestNanoVG& g) { g.DrawText(text, "Kelvora", IRECT(10, 10, 110, 90)); });
  int inside = 0, outside = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (Pixel(x, y).a < 128) continue;
      const bool in =
          x >= bounds.L - 1 && x <= bounds.R + 1 && y >= bounds.T - 1 && y <= bounds.B + 1;
      ++(in ? inside : outside);
    }
  EXPECT_GT(inside, 50);
  EXPECT_EQ(outside, 0);
}

TEST_F(TextFixture, FontBytesAreSharedByEveryBackendAndFreedWithTheLast) {
  FontDataCache& cache = FontDataCache::Instance();
  EXPECT_EQ(cache.RefCount(), 1);
  EXPECT_EQ(cache.Size(), 1u);
  {
    TestNanoVG second(mDelegate, 50, 50, 1.f);
    second.CreateDrawContext();
    PlatformFontPtr font = LoadFontFromFile("Roboto-Regular", kRoboto, "", "");
    ASSERT_TRUE(font);
    EXPECT_TRUE(second.RegisterFontWithBackend("Roboto-Regular", *font));
    EXPECT_EQ(cache.RefCount(), 2);
    EXPECT_EQ(cache.Size(), 1u);
    second.DestroyDrawContext();
  }
  EXPECT_EQ(cache.Size(), 1u);
  mGraphics->DestroyDrawContext();
  mGraphics.reset();
  EXPECT_EQ(cache.RefCount(), 0);
  EXPECT_EQ(cache.Size(), 0u);
}

TEST_F(TextFixture, FontWithoutUsableFaceIsRefused) {
  const unsigned char junk[64] = {0, 1, 0, 0};
  PlatformFontPtr font = LoadFontFromMemory("Junk", junk, sizeof(junk));
  if (font) {
    EXPECT_FALSE(mGraphics->RegisterFontWithBackend("Junk", *font));
  }
  EXPECT_EQ(FontDataCache::Instance().Size(), 1u);
}
