#include "ParamDef.h"
#include "IParam.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

namespace {

constexpr const char* kModes[] = {"soft", "hard", "fold"};
constexpr ParamDef kGain = ContinuousParam("Gain", "gain", -12., 12., 0., 0.5, 2, "dB");

std::string Shown(const IParam& param, double value) {
  std::string text;
  param.FormatDisplay(value, false, text);
  return text;
}

TEST(ParamDef, MakersFillRangeStepAndPrecisionOfTheirKind) {
  constexpr ParamDef sw = SwitchParam("Mute", "mute", true);
  EXPECT_EQ(sw.kind, ParamDef::Kind::kSwitch);
  EXPECT_EQ(sw.min, 0.);
  EXPECT_EQ(sw.max, 1.);
  EXPECT_EQ(sw.defaultValue, 1.);
  EXPECT_EQ(sw.step, 1.);
  EXPECT_EQ(sw.displayPrecision, 0);
  EXPECT_STREQ(sw.unit, "");

  constexpr ParamDef choice = ChoiceParam("Mode", "mode", 2, kModes);
  EXPECT_EQ(choice.kind, ParamDef::Kind::kChoice);
  EXPECT_EQ(choice.max, 2.);
  EXPECT_EQ(choice.defaultValue, 2.);
  ASSERT_EQ(choice.labelCount, 3);
  EXPECT_STREQ(choice.labels[2], "fold");

  EXPECT_EQ(kGain.kind, ParamDef::Kind::kContinuous);
  EXPECT_EQ(kGain.labelCount, 0);
  static_assert(IsValidParamDef(SwitchParam("Mute", "mute", true)));
  static_assert(IsValidParamDef(ChoiceParam("Mode", "mode", 2, kModes)));
  static_assert(IsValidParamDef(kGain));
}

TEST(ParamDef, MalformedRowsAreRefused) {
  const auto with = [](auto change) {
    ParamDef def = kGain;
    change(def);
    return IsValidParamDef(def);
  };
  EXPECT_FALSE(with([](ParamDef& d) { d.name = ""; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.name = nullptr; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.name = "A name longer than thirty-one bytes"; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.unit = nullptr; }));
  for (const char* symbol : {"", "Gain", "input gain", "2x", "_gain", "gain-db"})
    EXPECT_FALSE(with([symbol](ParamDef& d) { d.symbol = symbol; })) << symbol;
  EXPECT_TRUE(with([](ParamDef& d) { d.symbol = "input_gain_2"; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.min = d.max; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.defaultValue = 12.5; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.defaultValue = -12.5; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.step = -0.5; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.step = 25.; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.max = std::numeric_limits<double>::infinity(); }));
  EXPECT_FALSE(
      with([](ParamDef& d) { d.defaultValue = std::numeric_limits<double>::quiet_NaN(); }));
  EXPECT_FALSE(with([](ParamDef& d) { d.displayPrecision = -1; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.displayPrecision = kMaxDisplayPrecision + 1; }));
  EXPECT_FALSE(with([](ParamDef& d) { d.labels = kModes; }));
}

TEST(ParamDef, SwitchesAndChoicesMustFitTheirKind) {
  ParamDef sw = SwitchParam("Mute", "mute", false);
  sw.max = 2.;
  EXPECT_FALSE(IsValidParamDef(sw));
  sw = SwitchParam("Mute", "mute", false);
  sw.defaultValue = 0.5;
  EXPECT_FALSE(IsValidParamDef(sw));

  ParamDef choice = ChoiceParam("Mode", "mode", 0, kModes);
  choice.labelCount = 2;
  EXPECT_FALSE(IsValidParamDef(choice));
  choice = ChoiceParam("Mode", "mode", 0, kModes);
  choice.labels = nullptr;
  EXPECT_FALSE(IsValidParamDef(choice));
  choice = ChoiceParam("Mode", "mode", 0, kModes);
  choice.defaultValue = 1.5;
  EXPECT_FALSE(IsValidParamDef(choice));
  choice = ChoiceParam("Mode", "mode", 0, kModes);
  choice.max = 1e300;
  EXPECT_FALSE(IsValidParamDef(choice));
  constexpr const char* withEmpty[] = {"soft", ""};
  EXPECT_FALSE(IsValidParamDef(ChoiceParam("Mode", "mode", 0, withEmpty)));
}

TEST(ParamDef, TablesNeedDistinctNamesAndSymbolsAndAreSearchedBySymbol) {
  constexpr std::array<ParamDef, 3> table = {kGain, SwitchParam("Mute", "mute", false),
                                             ChoiceParam("Mode", "mode", 0, kModes)};
  static_assert(IsValidParamTable(table));
  static_assert(FindParamBySymbol(table, "mode") == 2);
  EXPECT_EQ(FindParamBySymbol(table, "gain"), 0);
  EXPECT_EQ(FindParamBySymbol(table, "gai"), -1);
  EXPECT_EQ(FindParamBySymbol(table, ""), -1);
  EXPECT_EQ(FindParamBySymbol(table, nullptr), -1);

  std::array<ParamDef, 2> twice = {kGain, SwitchParam("Mute", "gain", false)};
  EXPECT_FALSE(IsValidParamTable(twice));
  twice = {kGain, SwitchParam("Gain", "mute", false)};
  EXPECT_FALSE(IsValidParamTable(twice));
  twice = {kGain, SwitchParam("", "mute", false)};
  EXPECT_FALSE(IsValidParamTable(twice));
}

TEST(IParamFromDef, TakesTheRowWithItsOwnPrecision) {
  IParam param;
  param.Define(kGain);
  EXPECT_STREQ(param.Name(), "Gain");
  EXPECT_STREQ(param.Label(), "dB");
  EXPECT_EQ(param.Min(), -12.);
  EXPECT_EQ(param.Max(), 12.);
  EXPECT_EQ(param.Default(), 0.);
  EXPECT_EQ(param.Value(), 0.);
  EXPECT_EQ(param.Step(), 0.5);
  // A step of 0.5 alone would show one digit.
  EXPECT_EQ(param.DisplayPrecision(), 2);
  EXPECT_EQ(Shown(param, 3.5), "3.50");

  ParamDef coarse = kGain;
  coarse.step = 0.001;
  coarse.displayPrecision = 0;
  param.Define(coarse);
  EXPECT_EQ(Shown(param, 3.25), "3");
}

TEST(IParamFromDef, SwitchesAndChoicesStayContinuousWithoutLabels) {
  IParam param;
  param.Define(ChoiceParam("Mode", "mode", 1, kModes));
  EXPECT_EQ(param.Type(), IParam::kTypeDouble);
  EXPECT_EQ(param.GetFlags(), 0);
  EXPECT_EQ(param.DisplayTextCount(), 0);
  param.SetValue(1.6);
  EXPECT_EQ(param.Value(), 1.6);
  EXPECT_EQ(Shown(param, 1.6), "2");

  param.Define(SwitchParam("Mute", "mute", true));
  EXPECT_EQ(param.Type(), IParam::kTypeDouble);
  EXPECT_EQ(param.Value(), 1.);
  EXPECT_EQ(Shown(param, 0.), "0");
}

TEST(IParamFromDef, BadRowsStillLeaveAUsableParameter) {
  ParamDef def = kGain;
  def.name = nullptr;
  def.unit = nullptr;
  def.displayPrecision = 99;
  def.defaultValue = std::numeric_limits<double>::quiet_NaN();
  IParam param;
  param.Define(def);
  EXPECT_STREQ(param.Name(), "");
  EXPECT_STREQ(param.Label(), "");
  EXPECT_EQ(param.DisplayPrecision(), kMaxDisplayPrecision);
  EXPECT_EQ(param.Value(), -12.);
  def.displayPrecision = -4;
  param.Define(def);
  EXPECT_EQ(param.DisplayPrecision(), 0);
  EXPECT_EQ(Shown(param, 2.75), "3");
}

} // namespace
