#include "BitmapCache.h"
#include "LayerShadowMask.h"
#include "NanoVGConvert.h"

#include <gtest/gtest.h>

TEST(NanoVGConvert, ColourComponentsAndBlendWeight) {
  const IBlendMode half(0, 0.5f);
  const NVGcolor c = NanoVGColor(IColor(204, 255, 51, 0), &half);
  EXPECT_FLOAT_EQ(c.r, 1.f);
  EXPECT_FLOAT_EQ(c.g, 0.2f);
  EXPECT_FLOAT_EQ(c.b, 0.f);
  EXPECT_FLOAT_EQ(c.a, 0.4f);
  EXPECT_FLOAT_EQ(NanoVGColor(IColor(204, 0, 0, 0)).a, 0.8f);
}

TEST(BitmapCacheKeys, NameAndScaleBothSelectTheEntry) {
  BitmapCache cache;
  APIBitmap* one = cache.Add("Knob.png", 1., std::make_unique<APIBitmap>(1, 10, 10, 1.f, 1.f));
  APIBitmap* two = cache.Add("Knob.png", 2., std::make_unique<APIBitmap>(2, 20, 20, 2.f, 1.f));
  EXPECT_EQ(cache.Find("Knob.png", 1.), one);
  EXPECT_EQ(cache.Find("Knob.png", 2.), two);
  EXPECT_EQ(cache.Find("Knob.png", 3.), nullptr);
  EXPECT_EQ(cache.Find("Knob", 1.), nullptr);
  EXPECT_EQ(BitmapCache::KeyHash("Nuppi.png", 2.), std::hash<std::string>()("Nuppi.png-2.0x"));
}

TEST(LayerShadowMask, BlursTheAlphaChannelIntoBlack) {
  // 5 × 1 pixels, one opaque pixel in the middle.
  std::vector<uint8_t> pixels(5 * 4, 0);
  pixels[2 * 4 + 3] = 255;
  pixels[2 * 4 + 0] = 255;
  const std::vector<uint8_t> mask = MakeLayerShadowMask(pixels, 5, 1, 3, 1);
  ASSERT_EQ(mask.size(), pixels.size());
  EXPECT_EQ(mask[0 * 4 + 3], 0);
  EXPECT_EQ(mask[1 * 4 + 3], 85);
  EXPECT_EQ(mask[2 * 4 + 3], 85);
  EXPECT_EQ(mask[3 * 4 + 3], 85);
  EXPECT_EQ(mask[2 * 4 + 0], 0);
  EXPECT_TRUE(MakeLayerShadowMask(pixels, 6, 1, 3, 1).empty());
  EXPECT_TRUE(MakeLayerShadowMask(pixels, 5, 1, 4, 1).empty());
}
