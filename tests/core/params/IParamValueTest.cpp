#include "IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(IParamValue, SnapsBeforeClamping) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 2.5, 1.0, "", IParam::FlagStepped);
  EXPECT_EQ(param.ClampValue(1.4), 1.0);
  EXPECT_EQ(param.ClampValue(1.5), 2.0);
  EXPECT_EQ(param.ClampValue(-1.5), 0.0);
  // 2.4 snaps to 2 (inside), 2.6 snaps to 3 and is then clamped to the maximum.
  EXPECT_EQ(param.ClampValue(2.4), 2.0);
  EXPECT_EQ(param.ClampValue(2.6), 2.5);
}

TEST(IParamValue, UnsteppedDoubleKeepsIntermediateValues) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 1.0, 1.0);
  param.SetNormalized(0.4);
  EXPECT_DOUBLE_EQ(param.Value(), 0.4);
  std::string text;
  param.FormatDisplay(param.Value(), false, text);
  EXPECT_EQ(text, "0");
}

TEST(IParamValue, NonFiniteInputLeavesTheValueUnchanged) {
  IParam param;
  param.DefineDouble("p", 0.3, 0.0, 1.0, 0.01);
  for (double bad : {kNaN, kInf, -kInf}) {
    param.SetValue(bad);
    EXPECT_EQ(param.Value(), 0.3);
    param.SetNormalized(bad);
    EXPECT_EQ(param.Value(), 0.3);
  }
}

TEST(IParamValue, ConversionsStayInsideTheRangeForAnyInput) {
  IParam linear;
  linear.DefineDouble("p", 0.0, -1.0, 1.0, 0.001);
  IParam pow;
  pow.DefineDouble("p", 0.0, 0.0, 10.0, 0.01, "", 0, "", IParam::ShapePowCurve(0.5));
  IParam exp;
  exp.DefineFrequency("f", 100.0, 20.0, 20000.0);
  IParam brokenExp;
  brokenExp.DefineDouble("p", -2.0, -5.0, -1.0, 0.1, "", 0, "", IParam::ShapeExp());

  for (const IParam* param : {&linear, &pow, &exp, &brokenExp}) {
    for (double x : {-1e300, -2.0, -0.5, 0.0, 0.5, 1.0, 3.0, 1e300, kNaN, kInf, -kInf}) {
      const double value = param->ValueFromNormalized(x);
      EXPECT_GE(value, param->Min()) << x;
      EXPECT_LE(value, param->Max()) << x;
      const double normalized = param->NormalizedFromValue(x);
      EXPECT_GE(normalized, 0.0) << x;
      EXPECT_LE(normalized, 1.0) << x;
      const double clamped = param->ClampValue(x);
      EXPECT_GE(clamped, param->Min()) << x;
      EXPECT_LE(clamped, param->Max()) << x;
    }
  }
}

TEST(IParamValue, OutOfRangeValuesNormalizeToExactlyZeroOrOne) {
  IParam param;
  param.DefineDouble("p", 0.0, 10.0, 20.0, 0.1);
  EXPECT_EQ(param.NormalizedFromValue(-5.0), 0.0);
  EXPECT_EQ(param.NormalizedFromValue(25.0), 1.0);
}

TEST(IParamValue, ShapesRoundTrip) {
  IParam linear;
  linear.DefineDouble("p", 0.0, -10.0, 30.0, 0.0001);
  IParam pow;
  pow.DefineDouble("p", 0.0, 0.0, 8.0, 0.0001, "", 0, "", IParam::ShapePowCurve(3.0));
  IParam exp;
  exp.DefineFrequency("f", 100.0, 20.0, 20000.0, 0.0001);

  for (const IParam* param : {&linear, &pow, &exp})
    for (double x : {0.0, 0.1, 0.25, 0.5, 0.9, 1.0})
      EXPECT_NEAR(param->NormalizedFromValue(param->ValueFromNormalized(x)), x, 1e-9);

  EXPECT_NEAR(pow.ValueFromNormalized(0.5), 8.0 * 0.125, 1e-12);
  EXPECT_NEAR(exp.ValueFromNormalized(0.5), std::sqrt(20.0 * 20000.0), 1e-9);
}

TEST(IParamValue, ExpShapeUsesATinyReferenceForANonPositiveMinimum) {
  IParam param;
  param.DefineDouble("p", 1.0, 0.0, 1.0, 0.0, "", 0, "", IParam::ShapeExp());
  // exp(0.5 * ln(1 / 1e-8) + ln(1e-8)) = 1e-4
  EXPECT_NEAR(param.ValueFromNormalized(0.5), 1e-4, 1e-12);
  EXPECT_NEAR(param.ValueFromNormalized(0.0), 1e-8, 1e-15);
}

TEST(IParamValue, PowCurveHints) {
  EXPECT_EQ(IParam::ShapePowCurve(3.0).DisplayCurveHint(), 6);
  EXPECT_EQ(IParam::ShapePowCurve(2.0).DisplayCurveHint(), 4);
  EXPECT_EQ(IParam::ShapePowCurve(0.3).DisplayCurveHint(), 5);
  EXPECT_EQ(IParam::ShapePowCurve(0.5).DisplayCurveHint(), 3);
  EXPECT_EQ(IParam::ShapePowCurve(1.0).DisplayCurveHint(), 0);
}

TEST(IParamValue, HostLabelIsEmptyWhileADisplayTextNamesTheValue) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 2.0, 0.1, "dB");
  param.AddDisplayText(1.0, "unity");
  param.SetValue(1.7);
  EXPECT_STREQ(param.HostLabel(), "");
  param.SetValue(0.5);
  EXPECT_STREQ(param.HostLabel(), "dB");
}
