#include "WindowCapture.h"

#include <gtest/gtest.h>

TEST(WindowCapture, ConvertsBgrxRowsToRgbTopRowFirst) {
  // Two rows of two pixels, each row padded to 12 bytes with bytes that must not show.
  const std::uint8_t pixels[] = {
      0x01, 0x02, 0x03, 0xFF, 0x11, 0x12, 0x13, 0xFF, 0xEE, 0xEE, 0xEE, 0xEE, //
      0x21, 0x22, 0x23, 0x00, 0x31, 0x32, 0x33, 0x00, 0xEE, 0xEE, 0xEE, 0xEE,
  };
  const ScreenImage image = ImageFromBgrx(pixels, 2, 2, 12);
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 2);
  const std::vector<std::uint8_t> expected = {0x03, 0x02, 0x01, 0x13, 0x12, 0x11,
                                              0x23, 0x22, 0x21, 0x33, 0x32, 0x31};
  EXPECT_EQ(image.rgb, expected);
}

TEST(WindowCapture, RefusesPixelsThatCannotHoldTheImage) {
  const std::uint8_t pixels[16] = {};
  EXPECT_TRUE(ImageFromBgrx(pixels, 2, 2, 7).rgb.empty());
  EXPECT_TRUE(ImageFromBgrx(nullptr, 2, 2, 8).rgb.empty());
  EXPECT_TRUE(ImageFromBgrx(pixels, 0, 2, 8).rgb.empty());
  EXPECT_TRUE(ImageFromBgrx(pixels, 2, -1, 8).rgb.empty());
}
