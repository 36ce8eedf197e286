#include "LevelTrack.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kRate = 48000.0;

TEST(LevelTrack, SweepThroughUnityAndHalfGainReadsItsLevelsInSineDbfs) {
  const long frames = 8 * 48000;
  const std::vector<double> sweep = LevelSweep(1000.0, -60.0, 12.0, frames, kRate);
  std::vector<double> half = sweep;
  for (double& v : half)
    v *= 0.5;
  const auto unity = TrackLevels(sweep, sweep, 960);
  const auto halved = TrackLevels(sweep, half, 960);
  ASSERT_EQ(unity.size(), static_cast<std::size_t>(frames / 960));
  EXPECT_NEAR(unity.front().inputDbfs, -60.0, 0.2);
  EXPECT_NEAR(unity.back().inputDbfs, 12.0, 0.2);
  for (std::size_t i = 0; i < unity.size(); ++i) {
    EXPECT_DOUBLE_EQ(unity[i].outputDbfs, unity[i].inputDbfs);
    EXPECT_NEAR(halved[i].outputDbfs - halved[i].inputDbfs, 20.0 * std::log10(0.5), 1e-9);
    if (i) {
      EXPECT_GT(unity[i].inputDbfs, unity[i - 1].inputDbfs);
    }
  }
}

TEST(LevelTrack, FullScaleSineIsZeroDbfsAndPartialWindowsAreLeftOut) {
  const std::vector<double> s = Sine(1000.0, 1.0, 960 * 3 + 500, kRate);
  const auto points = TrackLevels(s, s, 960);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_NEAR(points[1].inputDbfs, 0.0, 1e-9);
  EXPECT_THROW(TrackLevels(s, std::vector<double>(10), 960), std::invalid_argument);
  EXPECT_THROW(TrackLevels(s, s, 0), std::invalid_argument);
}

} // namespace
