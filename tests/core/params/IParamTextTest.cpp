#include "IParam.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Format(const IParam& param, double value, bool normalized = false) {
  std::string text = "stale";
  param.FormatDisplay(value, normalized, text);
  return text;
}
} // namespace

TEST(IParamText, FormatsWithThePrecisionOfTheStep) {
  IParam param;
  param.DefineDouble("Input Gain", 32.0, 0.0, 200.0, 0.01, "%");
  EXPECT_EQ(Format(param, 32.0), "32.00");
  EXPECT_EQ(Format(param, 0.5, true), "100.00");
  EXPECT_EQ(Format(param, -0.0), "0.00");

  IParam whole;
  whole.DefineDouble("p", 0.0, -10.0, 10.0, 1.0);
  EXPECT_EQ(Format(whole, 2.5), "3");
  EXPECT_EQ(Format(whole, -2.5), "-3");
  EXPECT_EQ(Format(whole, 1e300), "2147483647");
}

TEST(IParamText, SignDisplayMarksNonZeroValuesOnly) {
  IParam param;
  param.DefineDouble("p", 0.0, -5.0, 5.0, 0.01, "", IParam::FlagSignDisplay);
  EXPECT_EQ(Format(param, 0.0), "0.00");
  EXPECT_EQ(Format(param, -0.0), "0.00");
  EXPECT_EQ(Format(param, 1.5), "+1.50");
  EXPECT_EQ(Format(param, -1.5), "-1.50");
}

TEST(IParamText, NegateDisplayFlipsShownAndParsedValues) {
  IParam param;
  param.DefineDouble("p", 0.0, -5.0, 5.0, 0.1, "", IParam::FlagNegateDisplay);
  EXPECT_EQ(Format(param, 2.0), "-2.0");
  EXPECT_EQ(Format(param, 0.0), "0.0");
  EXPECT_DOUBLE_EQ(param.ParseDisplay("-2"), 2.0);
}

TEST(IParamText, DisplayTextsAndDisplayFunctionTakePrecedence) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 10.0, 0.1);
  param.AddDisplayText(5.0, "half");
  param.AddDisplayText(6.0, "");
  EXPECT_EQ(Format(param, 5.0), "half");
  EXPECT_EQ(Format(param, 6.0), "6.0");
  std::string text;
  param.FormatDisplay(5.0, false, text, false);
  EXPECT_EQ(text, "5.0");

  IParam custom;
  custom.DefineDouble("p", 0.0, 0.0, 1.0, 0.1, "", 0, "", IParam::ShapeLinear(),
                      IParam::kUnitCustom,
                      [](double value, std::string& out) { out = value > 0.5 ? "hi" : "lo"; });
  EXPECT_EQ(Format(custom, 0.9), "hi");
  EXPECT_EQ(Format(custom, 0.0, true), "lo");
}

TEST(IParamText, BuiltInFormattingNeverExceeds32Characters) {
  IParam param;
  param.DefineDouble("p", 0.0, -1e300, 1e300, 0.000001);
  EXPECT_LE(Format(param, 1e300).size(), 32u);
}

TEST(IParamText, ParseDisplayPrefersDisplayTextsThenNumbers) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 10.0, 0.5, "", IParam::FlagStepped);
  param.AddDisplayText(42.0, "answer");
  EXPECT_EQ(param.ParseDisplay("answer"), 42.0); // display texts are not clamped
  EXPECT_EQ(param.ParseDisplay("3.3 dB"), 3.5);
  EXPECT_EQ(param.ParseDisplay("  +2.2"), 2.0);
  EXPECT_EQ(param.ParseDisplay("1e1"), 10.0);
  EXPECT_EQ(param.ParseDisplay("1e999"), 10.0);
  EXPECT_EQ(param.ParseDisplay("-7"), 0.0);
  EXPECT_EQ(param.ParseDisplay(nullptr), 0.0);

  IParam offset;
  offset.DefineDouble("p", 0.0, 2.0, 10.0, 0.1);
  EXPECT_EQ(offset.ParseDisplay("loud"), 2.0);
  EXPECT_EQ(offset.ParseDisplay("nan"), 2.0);
  EXPECT_EQ(offset.ParseDisplay("0x8"), 2.0);
}

TEST(IParamText, ParseDisplayOfUnknownTextOnEnumIsZero) {
  IParam param;
  param.DefineEnum("e", 2, {"a", "b", "c"});
  EXPECT_EQ(param.ParseDisplay("c"), 2.0);
  EXPECT_EQ(param.ParseDisplay("2"), 0.0);
  EXPECT_EQ(param.ParseDisplay("unknown"), 0.0);
}

TEST(IParamText, WriteJsonDescribesTheParameter) {
  IParam param;
  param.DefineDouble("Say \"hi\"", 0.5, 0.0, 1.0, 0.01);
  std::string json = "[";
  param.WriteJson(json, 7);
  EXPECT_EQ(json, "[{\"id\":7, \"name\":\"Say \\\"hi\\\"\", \"type\":\"float\", "
                  "\"min\":0.000000, \"max\":1.000000, \"default\":0.500000, "
                  "\"rate\":\"control\"}");

  IParam untyped;
  std::string plain;
  untyped.WriteJson(plain, 0);
  EXPECT_EQ(plain.find("type"), std::string::npos);
}
