#include "ToneAnalysis.h"
#include "PowerSpectrum.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr double kRate = 48000.0;
constexpr int kFft = 65536;

ToneReport Analyze(const std::vector<double>& signal, double hz) {
  PowerSpectrum spectrum(kFft, 20.0);
  return AnalyzeTone(spectrum.Power(signal.data()), kRate, kFft, hz, spectrum.LobeBins());
}

// A sine of amplitude `amplitude` through a memoryless curve.
std::vector<double> Shaped(double hz, double amplitude, const std::function<double(double)>& f) {
  std::vector<double> s = Sine(hz, amplitude, kFft, kRate);
  for (double& v : s)
    v = f(v);
  return s;
}

double Db(double ratio) {
  return 20.0 * std::log10(ratio);
}

// The cubic soft clip 1.5x - 0.5x³ on a full-scale sine gives 1.125·sin + 0.125·sin 3ωt.
double Cubic(double x) {
  return 1.5 * x - 0.5 * x * x * x;
}

TEST(ToneAnalysis, LevelOfASineIsItsAmplitudeWhereverItFallsBetweenBins) {
  for (double hz : {997.0, 1000.0, 1000.0 + 48000.0 / kFft / 2.0}) {
    const ToneReport r = Analyze(Sine(hz, 0.5, kFft, kRate), hz);
    EXPECT_NEAR(r.fundamentalDbfs, Db(0.5), 0.001) << hz;
  }
  PowerSpectrum spectrum(kFft, 20.0);
  const double binHz = kRate / kFft;
  const std::vector<double> centred = Sine(1000 * binHz, 0.25, kFft, kRate);
  EXPECT_NEAR(spectrum.Amplitude(centred.data())[1000], 0.25, 1e-9);
}

TEST(ToneAnalysis, PureSineShowsNoHarmonicsOrAnythingElseAboveTheWindowFloor) {
  for (double hz : {997.0, 12007.0}) {
    const ToneReport r = Analyze(Sine(hz, 1.0, kFft, kRate), hz);
    for (int k = 2; k <= 9; ++k)
      EXPECT_LT(r.harmonicDbc[static_cast<std::size_t>(k)], -150.0) << hz << " H" << k;
    EXPECT_LT(r.thdPercent, 1e-6) << hz;
    EXPECT_LT(r.nonHarmonicDbc, -150.0) << hz;
  }
}

TEST(ToneAnalysis, CubicClipperHasItsKnownThirdHarmonicAndThd) {
  const ToneReport r = Analyze(Shaped(997.0, 1.0, Cubic), 997.0);
  EXPECT_NEAR(r.fundamentalDbfs, Db(1.125), 0.001);
  EXPECT_NEAR(r.harmonicDbc[3], Db(0.125 / 1.125), 0.01);
  EXPECT_NEAR(r.thdPercent, 100.0 / 9.0, 0.01);
  EXPECT_LT(r.harmonicDbc[2], -150.0);
  EXPECT_LT(r.evenDbc, -150.0);
  EXPECT_NEAR(r.oddDbc, Db(0.125 / 1.125), 0.01);
  EXPECT_LT(r.nonHarmonicDbc, -150.0) << "the third harmonic of 997 Hz does not alias";
}

TEST(ToneAnalysis, SquareLawMakesEvenHarmonicsAndItsDcIsNotCountedAsNoise) {
  // x + 0.1x² on a unit sine: 0.05 of DC and 0.05·cos 2ωt.
  const ToneReport r =
      Analyze(Shaped(1000.0, 1.0, [](double x) { return x + 0.1 * x * x; }), 1000.0);
  EXPECT_NEAR(r.harmonicDbc[2], Db(0.05), 0.01);
  EXPECT_NEAR(r.evenDbc, Db(0.05), 0.01);
  EXPECT_LT(r.oddDbc, -150.0);
  EXPECT_EQ(r.harmonicsCounted, 22); // 2 kHz .. 23 kHz below 24 kHz
  EXPECT_LT(r.nonHarmonicDbc, -150.0);
}

TEST(ToneAnalysis, AliasOfTheThirdHarmonicLandsWhereFoldingPutsItAndCountsAsNonHarmonic) {
  // 3 × 12007 Hz = 36021 Hz folds to 48000 - 36021 = 11979 Hz, 28 Hz below the fundamental.
  const ToneReport r = Analyze(Shaped(12007.0, 1.0, Cubic), 12007.0);
  EXPECT_NEAR(r.strongestOtherHz, 11979.0, kRate / kFft);
  EXPECT_NEAR(r.strongestOtherDbc, Db(0.125 / 1.125), 0.01);
  EXPECT_NEAR(r.nonHarmonicDbc, Db(0.125 / 1.125), 0.01);
  EXPECT_EQ(r.harmonicsCounted, 0);
  EXPECT_DOUBLE_EQ(r.thdPercent, 0.0);
}

TEST(ToneAnalysis, SilentOutputDoesNotReadAsClean) {
  const ToneReport r = Analyze(Sine(997.0, 0.0, kFft, kRate), 997.0);
  EXPECT_FALSE(r.nonHarmonicDbc < -100.0);
  EXPECT_FALSE(r.thdPercent < 1.0);
}

TEST(ToneAnalysis, RefusesToneOutsideTheSpectrum) {
  PowerSpectrum spectrum(1024, 20.0);
  const std::vector<double> s = Sine(1000.0, 1.0, 1024, kRate);
  const std::vector<double>& p = spectrum.Power(s.data());
  EXPECT_THROW(AnalyzeTone(p, kRate, 1024, 24000.0, 9), std::invalid_argument);
  EXPECT_THROW(AnalyzeTone(p, kRate, 1024, 0.0, 9), std::invalid_argument);
  EXPECT_THROW(AnalyzeTone(p, kRate, 2048, 1000.0, 9), std::invalid_argument);
  EXPECT_THROW(PowerSpectrum(1000, 20.0), std::invalid_argument);
}

} // namespace
