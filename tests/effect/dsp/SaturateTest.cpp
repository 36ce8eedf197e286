#include "ChainHarness.h"
#include "ChainTestAccess.h"
#include "SignalGuards.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using A = ChainTestAccess;
using kelvora::kCeilingMode;
using kelvora::kCeilingSlot;
using kelvora::kDriveMode;
using kelvora::kDriveSlot;

double Cubic(double v) {
  const double m = 0.9 * v;
  return 1.45 * m - 0.45 * m * m * m;
}

TEST(SaturateCeiling, IdentityUpTo085LeavesStateAlone) {
  TestChain k;
  A::AdaaPrevInput(k.Chain(), 0, kCeilingSlot) = 0.125;
  A::AdaaPrevIntegral(k.Chain(), 0, kCeilingSlot) = 0.25;
  for (double x : {0.0, 0.3, -0.6, 0.85, -0.85, 1e-300})
    EXPECT_EQ(k.Saturate(0, kCeilingMode, x, 0.4, 0.2, 2.0), x);
  EXPECT_EQ(A::AdaaPrevInput(k.Chain(), 0, kCeilingSlot), 0.125);
  EXPECT_EQ(A::AdaaPrevIntegral(k.Chain(), 0, kCeilingSlot), 0.25);
}

TEST(SaturateCeiling, BetweenKneeAndThresholdFadesIntoTheCubic) {
  TestChain k;
  A::AdaaPrevInput(k.Chain(), 1, kCeilingSlot) = 0.7;
  A::AdaaPrevIntegral(k.Chain(), 1, kCeilingSlot) = -3.0;
  EXPECT_NEAR(k.Saturate(1, kCeilingMode, 0.9, 0, 0, 0), 0.91178385, 5e-9);
  EXPECT_NEAR(k.Saturate(1, kCeilingMode, -0.9, 0, 0, 0), -0.91178385, 5e-9);
  EXPECT_EQ(A::AdaaPrevInput(k.Chain(), 1, kCeilingSlot), 0.7);
}

TEST(SaturateCeiling, FullScaleAndBeyondStayBelowOne) {
  TestChain k;
  EXPECT_NEAR(k.Saturate(0, kCeilingMode, 1.0, 0, 0, 0), 0.97395, 5e-5);
  EXPECT_NE(A::AdaaPrevInput(k.Chain(), 0, kCeilingSlot), 0.0);
  A::AdaaPrevInput(k.Chain(), 0, kCeilingSlot) = 0.0;
  A::AdaaPrevIntegral(k.Chain(), 0, kCeilingSlot) = 0.0;
  EXPECT_NEAR(k.Saturate(0, kCeilingMode, -2.0, 0, 0, 0), -0.97315, 5e-5);
}

TEST(SaturateDrive, EqualArgumentsUseTanhOfTheMean) {
  TestChain k;
  const double first = k.Saturate(0, kDriveMode, 0.3, 0, 0, 2.0);
  EXPECT_DOUBLE_EQ(first, 0.5 * Cubic(0.3) + 0.5 * std::log(std::cosh(0.3)) / 0.3);
  const double second = k.Saturate(0, kDriveMode, 0.3, 0, 0, 2.0);
  EXPECT_DOUBLE_EQ(second, 0.5 * Cubic(0.3) + 0.5 * std::tanh(0.3));
  EXPECT_NE(first, second);
}

TEST(SaturateDrive, PreStageRunsOnlyAboveTheLowerReference) {
  TestChain plain;
  TestChain staged;
  const double skipped = plain.Saturate(0, kDriveMode, 1.5, 0.6, 0.0, 2.0);
  // Without the pre-stage the magnitude goes straight into the curves.
  EXPECT_DOUBLE_EQ(skipped, 0.5 * Cubic(kelvora::kKnee) + 0.5 * std::log(std::cosh(1.5)) / 1.5);
  EXPECT_NE(staged.Saturate(0, kDriveMode, 1.5, 0.6, 0.3, 2.0), skipped);
}

TEST(SaturateDrive, HistoryHoldsTheUnsignedResult) {
  TestChain k;
  const double y = k.Saturate(1, kDriveMode, -0.5, 0, 0, 2.0);
  EXPECT_LT(y, 0.0);
  EXPECT_EQ(A::DriveHistory(k.Chain(), 1, 0), -y);
  EXPECT_EQ(A::DriveHistory(k.Chain(), 0, 0), 0.0);
}

TEST(Saturate, OtherModesAndChannelsPassThrough) {
  TestChain k;
  for (int mode : {0, 3, -1})
    EXPECT_EQ(k.Saturate(0, mode, 1.75, 0.5, 0.5, 2.0), 1.75);
  EXPECT_EQ(k.Saturate(2, kDriveMode, 0.5, 0, 0, 2.0), 0.5);
  EXPECT_EQ(k.Saturate(-1, kCeilingMode, 0.95, 0, 0, 2.0), 0.95);
  for (double v : ChainTestAccess::AllState(k.Chain()))
    ASSERT_EQ(v, 0.0);
}

TEST(LogCosh, MatchesThePlainFormulaWhereItIsFinite) {
  for (double x = 1e-9; x < 710.0; x *= 1.01) {
    for (double s : {x, -x}) {
      const double plain = std::log(std::cosh(s));
      ASSERT_NEAR(kelvora::LogCosh(s), plain, 1e-12 * std::fabs(plain)) << s;
    }
  }
}

TEST(LogCosh, DoesNotOverflow) {
  for (double x : {711.0, 1e3, 1e6, 1e300}) {
    EXPECT_TRUE(std::isfinite(kelvora::LogCosh(x))) << x;
    EXPECT_DOUBLE_EQ(kelvora::LogCosh(-x), x - std::log(2.0));
  }
}

TEST(SaturateDrive, HotInputsKeepTheStateFinite) {
  TestChain k;
  for (double x : {900.0, -1e6, 1e6, 9e6, 0.2}) {
    EXPECT_TRUE(std::isfinite(k.Saturate(0, kDriveMode, x, 0.9, 0.5, 2.0))) << x;
    EXPECT_TRUE(std::isfinite(k.Saturate(0, kCeilingMode, x, 0, 0, 0))) << x;
  }
  for (double v : ChainTestAccess::AllState(k.Chain()))
    ASSERT_TRUE(std::isfinite(v));
}

TEST(SignalGuards, FlushAndNudge) {
  EXPECT_EQ(kelvora::Flush(1e-310), 0.0);
  EXPECT_FALSE(std::signbit(kelvora::Flush(-0.0)));
  EXPECT_EQ(kelvora::Flush(1e-300), 1e-300);
  EXPECT_TRUE(std::isnan(kelvora::Flush(NAN)));
  EXPECT_EQ(kelvora::Nudge(0.0), 1e-39);
  EXPECT_EQ(kelvora::Nudge(-1e-320), 1e-39);
  EXPECT_EQ(kelvora::Nudge(1e-30), 1e-30 + 1e-39);
  // The vector kernel nudges by adding the guard alone, which must give the same doubles.
  for (double v : {0.0, -0.0, 4e-320, -2.2e-308, 1e-39, -1e-39, 0.5, -3.0})
    EXPECT_EQ(kelvora::Nudge(v), v + kelvora::kGuard) << v;
  EXPECT_EQ(kelvora::Clamp01(NAN), 1.0);
  EXPECT_DOUBLE_EQ(kelvora::Poly(0.9), Cubic(0.9));
  EXPECT_DOUBLE_EQ(kelvora::Poly(-5.0), -Cubic(kelvora::kKnee));
}

} // namespace
