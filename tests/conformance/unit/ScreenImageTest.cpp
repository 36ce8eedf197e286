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

} // namespace
