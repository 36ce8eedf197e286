#include "ScreenImage.h"

#include <gtest/gtest.h>

namespace {

// A gradient with a little of everything, like a painted editor.
ScreenImage Painted(int width, int height) {
  ScreenImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(static_cast<std::uint8_t>(x));
      image.rgb.push_back(static_cast<std::uint8_t>(y));
      image.rgb.push_back(static_cast<std::uint8_t>((x * y) & 0xff));
    }
  }
  return image;
}

TEST(ScreenImage, TellsArtworkFromClearedOrDifferentWindows) {
  const ScreenImage art = Painted(200, 100);
  EXPECT_EQ(CompareImages(art, art, 48).meanAbsolute, 0.0);
  EXPECT_EQ(CompareImages(art, art, 48).fractionApart, 0.0);
  EXPECT_GE(DistinctColours(art, 1000), 1000);

  ScreenImage cleared = art;
  cleared.rgb.assign(cleared.rgb.size(), 0);
  EXPECT_EQ(DistinctColours(cleared, 1000), 1);
  EXPECT_GT(CompareImages(cleared, art, 48).fractionApart, 0.5);

  ScreenImage touched = art;
  for (int i = 0; i < 300; i += 3)
    touched.rgb[i] ^= 0x80;
  const ImageDifference small = CompareImages(touched, art, 48);
  EXPECT_NEAR(small.fractionApart, 100.0 / (200 * 100), 1e-12);
  EXPECT_NEAR(small.meanAbsolute, 100.0 * 128 / (200 * 100 * 3), 1e-9);

  const ScreenImage other = Painted(100, 200);
  EXPECT_EQ(CompareImages(other, art, 48).fractionApart, 1.0);
}

// The part of a window a screen holds is compared with the same part of the artwork.
TEST(ScreenImage, CropKeepsThePixelsWhereTheyWereAndStopsAtTheEdges) {
  const ScreenImage art = Painted(200, 100);
  const ScreenImage part = CropImage(art, 1, 2, 50, 40);
  ASSERT_EQ(part.width, 50);
  ASSERT_EQ(part.height, 40);
  ASSERT_EQ(part.rgb.size(), 50u * 40u * 3u);
  EXPECT_EQ(part.rgb[0], 1);
  EXPECT_EQ(part.rgb[1], 2);
  EXPECT_EQ(part.rgb[(39 * 50 + 49) * 3], 50);
  EXPECT_EQ(part.rgb[(39 * 50 + 49) * 3 + 1], 41);

  const ScreenImage corner = CropImage(art, 190, 95, 50, 40);
  EXPECT_EQ(corner.width, 10);
  EXPECT_EQ(corner.height, 5);
  EXPECT_EQ(corner.rgb.size(), 10u * 5u * 3u);
  EXPECT_EQ(CropImage(art, 300, 0, 10, 10).rgb.size(), 0u);
  EXPECT_EQ(CropImage(art, -5, -5, 10, 10).width, 10);
}

} // namespace
