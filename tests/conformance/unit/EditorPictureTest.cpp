#include "EditorPicture.h"
#include "PngFile.h"

#include <gtest/gtest.h>

namespace {

ScreenImage Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  ScreenImage image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < width * height; ++i)
    image.rgb.insert(image.rgb.end(), {r, g, b});
  return image;
}

void Paint(ScreenImage& image, int x0, int y0, int width, int height, std::uint8_t r,
           std::uint8_t g, std::uint8_t b) {
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) {
      std::uint8_t* p = &image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
      p[0] = r;
      p[1] = g;
      p[2] = b;
    }
  }
}

TEST(EditorPicture, FitsThePictureKeepingItsAspectWithinTheScaleRange) {
  PictureLayout same = FitPicture(815, 505, 815, 505, 0.5, 2);
  EXPECT_DOUBLE_EQ(same.scale, 1);
  EXPECT_EQ(same.width, 815);
  EXPECT_EQ(same.height, 505);

  // A wide window: the height decides, the rest is to the right.
  PictureLayout wide = FitPicture(1200, 420, 815, 505, 0.5, 2);
  EXPECT_NEAR(wide.scale, 420.0 / 505, 1e-12);
  EXPECT_EQ(wide.width, 678);
  EXPECT_EQ(wide.height, 420);

  // A tall window: the width decides, the rest is below.
  PictureLayout tall = FitPicture(700, 700, 815, 505, 0.5, 2);
  EXPECT_EQ(tall.width, 700);
  EXPECT_EQ(tall.height, 434);

  // Beyond the range the picture stops growing (or is cut off where the window is smaller).
  EXPECT_DOUBLE_EQ(FitPicture(4000, 3000, 815, 505, 0.5, 2).scale, 2);
  const PictureLayout tiny = FitPicture(200, 100, 815, 505, 0.5, 2);
  EXPECT_DOUBLE_EQ(tiny.scale, 0.5);
  EXPECT_EQ(tiny.width, 200);
  EXPECT_EQ(tiny.height, 100);
}

TEST(EditorPicture, ResamplesARegionByItsAverage) {
  ScreenImage image = Filled(40, 20, 0, 0, 0);
  Paint(image, 10, 0, 10, 20, 200, 100, 50);
  // The left half, 20 x 20, shrunk to 2 x 2: black, then the painted block.
  const ScreenImage half = Resample(image, 0, 0, 20, 20, 2, 2);
  ASSERT_EQ(half.rgb.size(), 12u);
  EXPECT_EQ(half.rgb[0], 0);
  EXPECT_EQ(half.rgb[3], 200);
  EXPECT_EQ(half.rgb[4], 100);
  EXPECT_EQ(half.rgb[5], 50);
  // Half a block in each output pixel averages.
  const ScreenImage mixed = Resample(image, 5, 0, 20, 20, 2, 1);
  EXPECT_EQ(mixed.rgb[0], 100);
  EXPECT_EQ(mixed.rgb[3], 100);
  // Grown, each pixel repeats.
  const ScreenImage grown = Resample(image, 9, 0, 2, 1, 4, 1);
  EXPECT_EQ(grown.rgb[0], 0);
  EXPECT_EQ(grown.rgb[3], 0);
  EXPECT_EQ(grown.rgb[6], 200);
  EXPECT_EQ(grown.rgb[9], 200);
  // A region outside the image gives black rather than reading past it.
  EXPECT_EQ(Resample(image, 30, 0, 20, 20, 2, 2).rgb, std::vector<std::uint8_t>(12, 0));
}

TEST(EditorPicture, TellsAPlainFillFromSmearsAndArt) {
  ScreenImage image = Filled(100, 100, 30, 30, 30);
  EXPECT_DOUBLE_EQ(PlainShare(image, 0, 0, 100, 100), 1);
  // Slight noise of a few levels is still plain.
  for (std::size_t i = 0; i < image.rgb.size(); i += 7)
    image.rgb[i] = 33;
  EXPECT_DOUBLE_EQ(PlainShare(image, 0, 0, 100, 100), 1);
  // A black smear over a tenth of it is not.
  Paint(image, 0, 0, 100, 10, 0, 0, 0);
  EXPECT_NEAR(PlainShare(image, 0, 0, 100, 100), 0.9, 1e-12);
  EXPECT_DOUBLE_EQ(PlainShare(image, 0, 10, 100, 90), 1);
  // An empty region has nothing out of place.
  EXPECT_DOUBLE_EQ(PlainShare(image, 100, 0, 0, 100), 1);
}

// The knobs of the editor's own picture, at their default values.
TEST(EditorPicture, ReadsTheKnobsOfTheEditorsPicture) {
  ScreenImage picture;
  ASSERT_TRUE(ReadPng(KELVORA_EDITOR_PICTURE, picture));
  ASSERT_EQ(picture.width, 815);
  ASSERT_EQ(picture.height, 505);
  EXPECT_NEAR(KnobValue(picture, 133, 167, 18, 55, 260), 32.0 / 200, 0.02);  // Input Gain
  EXPECT_NEAR(KnobValue(picture, 133, 365, 18, 55, 260), 0.5, 0.02);         // Tame
  EXPECT_NEAR(KnobValue(picture, 510, 365, 18, 55, 260), 100.0 / 120, 0.02); // Output Gain
  EXPECT_NEAR(KnobValue(picture, 688, 365, 18, 55, 260), 0.5, 0.02);         // Wet
  // Where no pointer is drawn (the plain background) there is no value.
  EXPECT_LT(KnobValue(picture, 420, 450, 18, 55, 260), 0);
  // Halved and grown back, the pointers still read the same.
  const ScreenImage half = Resample(picture, 0, 0, 815, 505, 408, 253);
  const ScreenImage back = Resample(half, 0, 0, 408, 253, 815, 505);
  EXPECT_NEAR(KnobValue(back, 133, 167, 18, 55, 260), 32.0 / 200, 0.03);
  EXPECT_NEAR(KnobValue(back, 510, 365, 18, 55, 260), 100.0 / 120, 0.03);
}

TEST(EditorPicture, LocatesAShadedAreaOfOneHue) {
  ScreenImage image = Filled(300, 200, 60, 60, 60);
  // A gradient of one red, as a host paints a list entry.
  for (int row = 0; row < 18; ++row) {
    const double k = 1.1 - row * 0.03;
    Paint(image, 100, 50 + row, 90, 1, std::uint8_t(124 * k), std::uint8_t(58 * k),
          std::uint8_t(58 * k));
  }
  // A few stray pixels of the same red elsewhere, and a pinker block that is not that hue.
  Paint(image, 250, 180, 2, 2, 124, 58, 58);
  Paint(image, 10, 10, 40, 40, 205, 137, 137);
  int x = 0, y = 0, width = 0, height = 0;
  ASSERT_TRUE(LocateHue(image, 124, 58, 58, 200, x, y, width, height));
  EXPECT_EQ(x, 144);
  EXPECT_EQ(y, 58);
  EXPECT_EQ(width, 90);
  EXPECT_EQ(height, 18);
  EXPECT_FALSE(LocateHue(image, 40, 90, 160, 200, x, y, width, height));
}

} // namespace
