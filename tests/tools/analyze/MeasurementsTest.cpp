#include "Measurements.h"
#include "CubicTarget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace {

TEST(Measurements, AliasingRowsCoverEverySettingAndFindTheCubicsFold) {
  CubicTarget target;
  Measurements m(target, {{"Wet", 100.0}}, QuickConditions());
  const auto rows = m.MeasureAliasing();
  ASSERT_EQ(rows.size(), 16u);
  ASSERT_EQ(target.rendered.size(), 16u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& seen = target.rendered[i];
    EXPECT_EQ(OversamplingFactor(static_cast<int>(seen.at("Oversampling"))), rows[i].oversampling);
    EXPECT_EQ(seen.at("Input Gain"), rows[i].inputGain);
    EXPECT_EQ(seen.at("Wet"), 100.0) << "the user's settings hold in every render";
    EXPECT_EQ(seen.at("Bias"), 0.5) << "unvaried parameters are at their defaults";
  }
  for (const auto& r : rows) {
    // At 200 % the -6 dBFS tone clips hard (and aliases) at both frequencies; at 32 % the cubic
    // of 997 Hz stays below Nyquist while that of 12007 Hz folds to 11979 Hz.
    if (r.inputGain == 32.0 && r.toneHz == 997.0) {
      EXPECT_LT(r.report.nonHarmonicDbc, -140.0);
    }
    if (r.inputGain == 32.0 && r.toneHz == 12007.0) {
      EXPECT_NEAR(r.report.strongestOtherHz, 11979.0, 48000.0 / 65536);
      const double a = 0.32 * std::pow(10.0, -6.0 / 20.0);
      const double third = 0.125 * a * a * a, first = 1.5 * a - 0.375 * a * a * a;
      EXPECT_NEAR(r.report.nonHarmonicDbc, 20.0 * std::log10(third / first), 0.05);
    }
  }
}

TEST(Measurements, VariedParameterReturnsToTheUsersValueAfterItsMeasurement) {
  CubicTarget target;
  Measurements m(target, {{"input gain", 80.0}, {"Bias", 0.9}}, QuickConditions());
  m.MeasureBias();
  ASSERT_EQ(target.rendered.size(), 5u);
  EXPECT_EQ(target.rendered[0].at("Bias"), 0.0);
  EXPECT_EQ(target.rendered[4].at("Bias"), 1.0);
  m.MeasureHarmonics();
  EXPECT_EQ(target.rendered.back().at("Bias"), 0.9);
  EXPECT_EQ(target.rendered.back().at("input gain"), 80.0);
  EXPECT_EQ(target.rendered.back().count("Input Gain"), 0u)
      << "a name the user gave in other case is not overwritten by the default";
}

TEST(Measurements, HarmonicsAndTransferOfTheCubicMatchItsFormula) {
  CubicTarget target;
  Measurements m(target, {{"Input Gain", 100.0}}, QuickConditions());
  const auto h = m.MeasureHarmonics();
  ASSERT_EQ(h.size(), 2u);
  EXPECT_NEAR(h[1].report.thdPercent, 100.0 / 9.0, 0.02); // 0 dBFS: 0.125 / 1.125
  EXPECT_EQ(h[1].spectrumDbfs.size(), 65536u / 2 + 1);

  const auto t = m.MeasureTransfer();
  ASSERT_FALSE(t.sweep.empty());
  // Small signals pass with the cubic's slope of 1.5 (+3.52 dB).
  EXPECT_NEAR(t.sweep.front().outputDbfs - t.sweep.front().inputDbfs, 20 * std::log10(1.5), 0.01);
  ASSERT_EQ(t.staticInput.size(), 960u);
  for (std::size_t n = 0; n < t.staticInput.size(); n += 50) {
    const double x = t.staticInput[n];
    EXPECT_NEAR(t.staticOutput[n], 1.5 * x - 0.5 * x * x * x, 1e-12);
  }
}

TEST(Measurements, SweepsAndCpuRunEveryOversamplingSetting) {
  CubicTarget target;
  Measurements m(target, {}, QuickConditions());
  const auto views = m.MeasureSweeps();
  ASSERT_EQ(views.size(), 4u);
  EXPECT_EQ(views[3].oversampling, 8);
  EXPECT_FALSE(views[0].spectrogram.frames.empty());
  const auto cpu = m.MeasureCpu();
  ASSERT_EQ(cpu.size(), 4u);
  EXPECT_EQ(target.stereoRenders, 4 * QuickConditions().cpuRuns);
  for (const auto& row : cpu) {
    EXPECT_GT(row.cpuSeconds, 0.0);
    EXPECT_NEAR(row.realtimeFactor, row.audioSeconds / row.cpuSeconds, 1e-9);
  }
}

TEST(Measurements, TargetFailuresAndUnknownParametersStopTheMeasurement) {
  CubicTarget target;
  Measurements unknown(target, {{"Nope", 1.0}}, QuickConditions());
  EXPECT_THROW(unknown.MeasureHarmonics(), std::runtime_error);
  target.failNext = true;
  Measurements failing(target, {}, QuickConditions());
  EXPECT_THROW(failing.MeasureBias(), std::runtime_error);
}

TEST(Measurements, ProgressCountsUpToTheTotal) {
  CubicTarget target;
  std::vector<std::pair<int, int>> seen;
  Measurements m(target, {}, QuickConditions(), [&](const std::string& step, int done, int total) {
    EXPECT_EQ(step, "bias");
    seen.emplace_back(done, total);
  });
  m.MeasureBias();
  ASSERT_EQ(seen.size(), 6u);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(seen[static_cast<std::size_t>(i)], std::make_pair(i, 5));
}

} // namespace
