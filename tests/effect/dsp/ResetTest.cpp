#include "ChainHarness.h"
#include "ChainTestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using A = ChainTestAccess;

std::uint32_t Bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

// A block of no samples still runs everything that happens at a block start.
void EmptyBlock(TestChain& k) {
  double l = 0, r = 0;
  double* io[2] = {&l, &r};
  k.RenderBlock(io, io, 0);
}

struct RateRow {
  double rate;
  std::vector<double> tone; // b0, b1, b2, a1, a2
  std::uint32_t gainBits;
};

TEST(ResetProcessing, LoadsTheSetOfTheTruncatedRate) {
  const RateRow rows[] = {
      {44100.7,
       {0.8151655733662241, 1.6303311467324482, 0.8151655733662241, 1.5950606290772769,
        0.6656016643876196},
       0x3F800000},
      {48000,
       {0.6917994904412835, 1.383598980882567, 0.6917994904412835, 1.2842610434611013,
        0.48293691830403307},
       0x3F800000},
      {88200,
       {0.25281587515667564, 0.5056317503133513, 0.25281587515667564, 0.1722195203912214,
        0.18348302101792383},
       0x3FCADDC8},
      {96000.9,
       {0.22143465387145803, 0.44286930774291605, 0.22143465387145803, 0.30929831798252466,
        0.19503693346835663},
       0x3FFF64C1},
      {192000,
       {0.07223066687518032, 0.14446133375036063, 0.07223066687518032, -1.1092255915028943,
        0.39814825900361117},
       0x3F800000},
  };
  for (const RateRow& row : rows) {
    SCOPED_TRACE(row.rate);
    TestChain k;
    k.SetSampleRate(row.rate);
    k.ResetProcessing();
    EXPECT_EQ(A::Tone(k.Chain()), row.tone);
    EXPECT_EQ(Bits(A::GainCompensation(k.Chain())), row.gainBits);
    EXPECT_TRUE(A::ResetPending(k.Chain()));
  }
}

TEST(ResetProcessing, UnknownRatesKeepTheLastSet) {
  TestChain fresh;
  const std::vector<double> constructed = A::Tone(fresh.Chain());
  fresh.SetSampleRate(32000);
  fresh.ResetProcessing();
  EXPECT_EQ(A::Tone(fresh.Chain()), constructed);
  EXPECT_EQ(A::GainCompensation(fresh.Chain()), 1.0f);

  TestChain k;
  k.SetSampleRate(96000);
  k.ResetProcessing();
  const std::vector<double> loaded = A::Tone(k.Chain());
  for (double odd : {32000.0, 0.0, -1.0, 1e300, std::nan("")}) {
    k.SetSampleRate(odd);
    k.ResetProcessing();
    EXPECT_EQ(A::Tone(k.Chain()), loaded);
    EXPECT_EQ(Bits(A::GainCompensation(k.Chain())), 0x3FFF64C1u);
    EmptyBlock(k);
  }
}

TEST(ResetPass, AtCdRateEverySmootherPassesItsInput) {
  TestChain k;
  Prepare(k, 44100);
  EmptyBlock(k);
  EXPECT_EQ(A::RateRatio(k.Chain()), 1.0);
  for (int ch = 0; ch < 2; ++ch) {
    for (int j = kelvora::kRampStep; j <= kelvora::kSlew; ++j) {
      EXPECT_EQ(A::SmoothGain(k.Chain(), ch, j), 1.0) << j;
      EXPECT_EQ(A::SmoothKeep(k.Chain(), ch, j), 0.0) << j;
    }
    for (int j = kelvora::kSlew + 1; j < kelvora::kSmootherSlots; ++j)
      EXPECT_EQ(A::SmoothGain(k.Chain(), ch, j), 0.0);
    EXPECT_EQ(A::DcGain(k.Chain(), ch), 2.0 / 44100.0);
  }
}

TEST(ResetPass, OversamplingFactorScalesTheInnerSmoothers) {
  TestChain k;
  Prepare(k, 48000);
  EmptyBlock(k);
  SetParamValue(k, kOversampling, 3);
  EmptyBlock(k);
  EXPECT_EQ(A::OversamplingFactor(k.Chain()), 8);
  const double ratio = 48000 * 2.2675736961451248e-05;
  for (int j = kelvora::kUpperRef; j <= kelvora::kHistoryTrend; ++j)
    EXPECT_EQ(A::SmoothGain(k.Chain(), 1, j), 1.0 / (ratio * 8 + 1e-39)) << j;
  for (int j : {kelvora::kRampStep, kelvora::kSlew}) {
    EXPECT_EQ(A::SmoothGain(k.Chain(), 1, j), 1.0 / ratio);
    EXPECT_EQ(A::SmoothKeep(k.Chain(), 1, j), 1.0 - 1.0 / ratio);
  }
}

TEST(ResetPass, HostValuesTruncateToAFactor) {
  const std::pair<double, int> cases[] = {{0.0, 1}, {0.99, 1}, {1.0, 2}, {2.7, 4}, {3.0, 8}};
  for (const auto& [value, factor] : cases) {
    TestChain k;
    Prepare(k, 48000);
    SetParamValue(k, kOversampling, value);
    EmptyBlock(k);
    EXPECT_EQ(A::OversamplingFactor(k.Chain()), factor) << value;
  }
}

TEST(ResetPass, RunsOncePerOversamplingChange) {
  TestChain k;
  Prepare(k, 48000);
  const Stereo in = TestSignal(64);
  Render(k, in, 64);
  // Elements past 35 move only when a reset pass clears them.
  A::DriveHistory(k.Chain(), 0, 50) = 7.0;
  SetParamValue(k, kOversampling, 2);
  Render(k, in, 64);
  EXPECT_EQ(A::DriveHistory(k.Chain(), 0, 50), 0.0);
  EXPECT_FALSE(A::ResetPending(k.Chain()));

  A::DriveHistory(k.Chain(), 0, 50) = 7.0;
  Render(k, in, 64);
  EXPECT_EQ(A::DriveHistory(k.Chain(), 0, 50), 7.0);

  SetParamValue(k, kOversampling, 0);
  SetParamValue(k, kOversampling, 2);
  Render(k, in, 64);
  EXPECT_EQ(A::DriveHistory(k.Chain(), 0, 50), 7.0);
  EXPECT_EQ(A::OversamplingFactor(k.Chain()), 4);
}

TEST(ResetPass, FilterCarriesOnThroughAnOversamplingChangeOnly) {
  TestChain k;
  Prepare(k, 48000);
  Render(k, TestSignal(100), 100);
  const double f1 = A::FilterState1(k.Chain(), 0);
  const double f2 = A::FilterState2(k.Chain(), 1);
  ASSERT_NE(f1, 0.0);
  SetParamValue(k, kOversampling, 1);
  EmptyBlock(k);
  EXPECT_EQ(A::FilterState1(k.Chain(), 0), f1);
  EXPECT_EQ(A::FilterState2(k.Chain(), 1), f2);
  k.ResetProcessing();
  EXPECT_EQ(A::FilterState1(k.Chain(), 0), 0.0);
  EXPECT_EQ(A::FilterState2(k.Chain(), 1), 0.0);
}

TEST(ResetPass, BypassLeavesTheDcRemoverOffUntilTheNextPass) {
  TestChain k;
  Prepare(k, 48000);
  const Stereo in = TestSignal(32);
  Render(k, in, 32);
  EXPECT_NE(A::DcGain(k.Chain(), 0), 0.0);
  SetParamValue(k, kBypass, 1);
  Render(k, in, 32);
  SetParamValue(k, kBypass, 0);
  Render(k, in, 32);
  EXPECT_EQ(A::DcGain(k.Chain(), 0), 0.0);
  SetParamValue(k, kOversampling, 1);
  Render(k, in, 32);
  EXPECT_EQ(A::DcGain(k.Chain(), 0), 2.0 / 48000.0);
}

} // namespace
