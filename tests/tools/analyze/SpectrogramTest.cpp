#include "Spectrogram.h"
#include "PowerSpectrum.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

namespace {

constexpr double kRate = 48000.0;

TEST(Spectrogram, LinearChirpRisesAlongItsInstantaneousFrequency) {
  const long frames = 4 * 48000;
  const std::vector<double> chirp = LinearChirp(20.0, 20000.0, 0.5, frames, kRate);
  PowerSpectrum spectrum(2048, 20.0);
  const Spectrogram s = MakeSpectrogram(chirp, kRate, spectrum, 1024);
  ASSERT_EQ(s.frames.size(), static_cast<std::size_t>((frames - 2048) / 1024 + 1));
  EXPECT_DOUBLE_EQ(s.hzPerBin, kRate / 2048);
  for (std::size_t f = 0; f < s.frames.size(); f += 20) {
    const double centre = s.frameStartSeconds[f] + 1024.0 / kRate;
    const double expected = 20.0 + (20000.0 - 20.0) * centre / 4.0;
    EXPECT_NEAR(PeakHz(s, f, 0.0, 24000.0), expected, 2 * s.hzPerBin) << "frame " << f;
  }
}

TEST(Spectrogram, AliasOfACubedSweepRunsTheWrongWay) {
  // The cubic makes a third harmonic; once 3f passes 24 kHz (the sweep above 8 kHz) it folds
  // to 48 kHz - 3f and falls while the sweep rises.
  const long frames = 4 * 48000;
  std::vector<double> s = LinearChirp(20.0, 20000.0, 1.0, frames, kRate);
  for (double& v : s)
    v = 1.5 * v - 0.5 * v * v * v;
  PowerSpectrum spectrum(2048, 20.0);
  const Spectrogram g = MakeSpectrogram(s, kRate, spectrum, 1024);
  // Frames where the sweep is near 10 kHz and 12 kHz: aliases near 18 kHz and 12 kHz.
  auto sweepHzAt = [&](std::size_t frame) {
    const double centre = g.frameStartSeconds[frame] + 1024.0 / kRate;
    return 20.0 + 19980.0 * centre / 4.0;
  };
  const std::size_t at10 = 93, at12 = 112;
  ASSERT_NEAR(sweepHzAt(at10), 10000.0, 100.0);
  ASSERT_NEAR(sweepHzAt(at12), 12000.0, 100.0);
  const double tone10 = PeakHz(g, at10, 0.0, 24000.0);
  EXPECT_NEAR(tone10, sweepHzAt(at10), 2 * g.hzPerBin);
  const double alias10 = PeakHz(g, at10, tone10 + 2000.0, 24000.0);
  const double alias12 = PeakHz(g, at12, sweepHzAt(at12) + 2000.0, 24000.0);
  EXPECT_NEAR(alias10, 48000.0 - 3 * sweepHzAt(at10), 3 * g.hzPerBin);
  EXPECT_LT(alias12, alias10) << "the alias falls while the sweep rises";
  // 0.125 / 1.125 of the fundamental (-19 dB), read lower still because the alias moves three
  // times as fast and smears over more bins.
  const auto& frame = g.frames[at10];
  const double below = frame[static_cast<std::size_t>(alias10 / g.hzPerBin + 0.5)] -
                       frame[static_cast<std::size_t>(tone10 / g.hzPerBin + 0.5)];
  EXPECT_LT(below, -19.0);
  EXPECT_GT(below, -30.0);
}

TEST(Spectrogram, SignalShorterThanOneFftGivesNoFrames) {
  PowerSpectrum spectrum(2048, 20.0);
  EXPECT_TRUE(MakeSpectrogram(std::vector<double>(2047, 0.1), kRate, spectrum, 512).frames.empty());
  EXPECT_EQ(MakeSpectrogram(std::vector<double>(2048, 0.1), kRate, spectrum, 0).frames.size(), 1u);
}

} // namespace
