#include "KnobPoint.h"

#include <gtest/gtest.h>

namespace {

WindowPoint Knob(const char* symbol, int width, int height) {
  WindowPoint point{-1, -1};
  EXPECT_TRUE(KnobCentreInWindow(symbol, width, height, point)) << symbol;
  return point;
}

void ExpectPoint(WindowPoint point, int x, int y) {
  EXPECT_EQ(point.x, x);
  EXPECT_EQ(point.y, y);
}

} // namespace

// The editor opens at 815 x 505, half the picture's 1630 x 1010.
TEST(KnobPoint, KnobsAtTheEditorsOpeningSize) {
  ExpectPoint(Knob("input_gain", 815, 505), 134, 168);
  ExpectPoint(Knob("tame", 815, 505), 134, 367);
  ExpectPoint(Knob("output_gain", 815, 505), 511, 367);
  ExpectPoint(Knob("wet", 815, 505), 688, 367);
}

TEST(KnobPoint, FollowsTheScaleThatFitsThePictureIntoTheWindow) {
  ExpectPoint(Knob("input_gain", 1630, 1010), 267, 336);
  ExpectPoint(Knob("wet", 1630, 1010), 1376, 733);
  // Wider or taller than the picture's shape: the narrower side sets the scale.
  ExpectPoint(Knob("input_gain", 1630, 505), 134, 168);
  ExpectPoint(Knob("input_gain", 815, 1010), 134, 168);
  ExpectPoint(Knob("input_gain", 326, 202), 53, 67);
}

TEST(KnobPoint, NoPointForControlsWithoutAKnobOrWindowsWithoutArea) {
  WindowPoint point;
  EXPECT_FALSE(KnobCentreInWindow("bias", 815, 505, point)); // turned, but not a knob's image
  EXPECT_FALSE(KnobCentreInWindow("oversampling", 815, 505, point));
  EXPECT_FALSE(KnobCentreInWindow("Input Gain", 815, 505, point));
  EXPECT_FALSE(KnobCentreInWindow("", 815, 505, point));
  EXPECT_FALSE(KnobCentreInWindow("input_gain", 0, 505, point));
  EXPECT_FALSE(KnobCentreInWindow("input_gain", 815, -1, point));
}
