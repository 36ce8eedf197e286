#include "IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {
double DefinedMax(double minVal, double maxVal, double step) {
  IParam param;
  param.DefineDouble("p", minVal, minVal, maxVal, step);
  return param.Max();
}

int PrecisionOf(double step) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 10.0, step);
  return param.DisplayPrecision();
}
} // namespace

TEST(IParamDefine, NewParameterHasTheDocumentedDefaults) {
  IParam param;
  EXPECT_EQ(param.Type(), IParam::kTypeNone);
  EXPECT_EQ(param.Unit(), IParam::kUnitCustom);
  EXPECT_EQ(param.Value(), 0.0);
  EXPECT_EQ(param.Min(), 0.0);
  EXPECT_EQ(param.Max(), 1.0);
  EXPECT_EQ(param.Step(), 1.0);
  EXPECT_EQ(param.GetFlags(), 0);
  EXPECT_STREQ(param.Name(), "");
  EXPECT_EQ(param.GetShape().DisplayCurveHint(), 0);
  EXPECT_EQ(param.DisplayTextCount(), 0);
}

TEST(IParamDefine, DisplayPrecisionFollowsTheStep) {
  EXPECT_EQ(PrecisionOf(0.01), 2);
  EXPECT_EQ(PrecisionOf(0.001), 3);
  EXPECT_EQ(PrecisionOf(1.0), 0);
  EXPECT_EQ(PrecisionOf(0.5), 1);
  EXPECT_EQ(PrecisionOf(0.25), 2);
  EXPECT_EQ(PrecisionOf(1e-9), 6);
}

TEST(IParamDefine, MaximumIsAtLeastOneStepAboveMinimum) {
  EXPECT_EQ(DefinedMax(0.0, 0.5, 1.0), 1.0);
  EXPECT_EQ(DefinedMax(0.0, 200.0, 0.01), 200.0);
  EXPECT_EQ(DefinedMax(5.0, 1.0, 0.0), 5.0);
}

TEST(IParamDefine, SteppedDefaultIsSnappedForTheValueOnly) {
  IParam param;
  param.DefineDouble("p", 0.6, 0.0, 3.0, 1.0, "", IParam::FlagStepped);
  EXPECT_EQ(param.Value(), 1.0);
  EXPECT_EQ(param.Default(), 0.6);
}

TEST(IParamDefine, DefaultOutsideTheRangeStartsClamped) {
  IParam param;
  param.DefineDouble("p", 9.0, 0.0, 2.0, 0.1);
  EXPECT_EQ(param.Value(), 2.0);
  EXPECT_EQ(param.Default(), 9.0);
}

TEST(IParamDefine, NonFiniteDefinitionsStillGiveAUsableRange) {
  IParam param;
  param.DefineDouble("p", NAN, -INFINITY, NAN, INFINITY);
  EXPECT_TRUE(std::isfinite(param.Min()));
  EXPECT_TRUE(std::isfinite(param.Max()));
  EXPECT_LE(param.Min(), param.Max());
  EXPECT_TRUE(std::isfinite(param.Value()));
  EXPECT_TRUE(std::isfinite(param.Default()));
}

TEST(IParamDefine, LongTextsAreCutAtACharacterBoundary) {
  IParam param;
  // 30 ASCII bytes, then a two-byte character that would end past byte 31.
  const std::string name = std::string(30, 'a') + "\xC3\xA9" + "tail";
  param.DefineDouble(name.c_str(), 0.0, 0.0, 1.0, 0.1, "abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_EQ(std::string(param.Name()), std::string(30, 'a'));
  EXPECT_EQ(std::string(param.Label()).size(), 31u);
}

TEST(IParamDefine, TypedDefinesSetTypeLabelUnitAndStepping) {
  IParam boolParam;
  boolParam.DefineBool("b", true, "", 0, "", "Off", "On");
  EXPECT_EQ(boolParam.Type(), IParam::kTypeBool);
  EXPECT_TRUE(boolParam.GetStepped());
  EXPECT_EQ(boolParam.Value(), 1.0);
  EXPECT_STREQ(boolParam.DisplayTextFor(0.0), "Off");
  EXPECT_STREQ(boolParam.DisplayTextFor(1.0), "On");

  IParam freq;
  freq.DefineFrequency("f", 1000.0, 20.0, 20000.0);
  EXPECT_EQ(freq.Type(), IParam::kTypeDouble);
  EXPECT_STREQ(freq.Label(), "Hz");
  EXPECT_EQ(freq.Unit(), IParam::kUnitFrequency);
  EXPECT_EQ(freq.GetShape().DisplayCurveHint(), 1);

  IParam ms;
  ms.DefineMilliseconds("m", 10.0, 0.0, 100.0);
  EXPECT_STREQ(ms.Label(), "ms");
  EXPECT_EQ(ms.Unit(), IParam::kUnitMilliseconds);
  EXPECT_EQ(ms.Step(), 1.0);

  IParam gain;
  gain.DefineGain("g", 0.0, -12.0, 12.0, 0.5);
  EXPECT_STREQ(gain.Label(), "dB");
  EXPECT_EQ(gain.Unit(), IParam::kUnitDB);

  IParam percent;
  percent.DefinePercentage("p", 50.0, 0.0, 100.0);
  EXPECT_STREQ(percent.Label(), "%");
  EXPECT_EQ(percent.Unit(), IParam::kUnitPercentage);

  IParam angle;
  angle.DefineAngle("a", 0.0, 0.0, 360.0);
  EXPECT_STREQ(angle.Label(), "degrees");
  EXPECT_EQ(angle.Unit(), IParam::kUnitDegrees);

  IParam seconds;
  seconds.DefineSeconds("s", 1.0, 0.0, 10.0);
  EXPECT_STREQ(seconds.Label(), "Seconds");
  EXPECT_EQ(seconds.Unit(), IParam::kUnitSeconds);

  IParam integer;
  integer.DefineInt("i", 3, -5, 5);
  EXPECT_EQ(integer.Type(), IParam::kTypeInt);
  EXPECT_TRUE(integer.GetStepped());
}

TEST(IParamDefine, TypeIsOnlySetOnce) {
  IParam param;
  param.DefineDouble("p", 0.0, 0.0, 1.0, 0.1);
  param.DefineInt("p", 0, 0, 4);
  EXPECT_EQ(param.Type(), IParam::kTypeDouble);
}

TEST(IParamDefine, EnumTextsAreReadOnlyAsFarAsGiven) {
  IParam param;
  param.DefineEnum("e", 1, 4, "", 0, "", "zero", "one");
  EXPECT_EQ(param.Type(), IParam::kTypeEnum);
  EXPECT_EQ(param.Max(), 3.0);
  EXPECT_EQ(param.DisplayTextCount(), 2);

  IParam single;
  single.DefineEnum("e", 0, 1, "", 0, "", "only", "ignored");
  EXPECT_EQ(single.DisplayTextCount(), 1);

  IParam list;
  list.DefineEnum("e", 2, {"a", "b", "c"});
  EXPECT_EQ(list.Max(), 2.0);
  EXPECT_EQ(list.Value(), 2.0);
  double value = -1.0;
  EXPECT_STREQ(list.DisplayTextAt(1, &value), "b");
  EXPECT_EQ(value, 1.0);
  EXPECT_EQ(list.DisplayTextAt(3), nullptr);
  EXPECT_EQ(list.DisplayTextAt(-1), nullptr);
}

TEST(IParamDefine, PitchTextsNameNoteAndOctave) {
  IParam param;
  param.DefinePitch("pitch", 0, 60, 72);
  ASSERT_EQ(param.DisplayTextCount(), 13);
  EXPECT_STREQ(param.DisplayTextFor(0.0), "C 3");
  EXPECT_STREQ(param.DisplayTextFor(1.0), "C#3");
  EXPECT_STREQ(param.DisplayTextFor(12.0), "C 4");

  IParam c3;
  c3.DefinePitch("pitch", 0, 0, 11, 0, "", true);
  EXPECT_STREQ(c3.DisplayTextFor(0.0), "C -1");
  EXPECT_STREQ(c3.DisplayTextFor(11.0), "B -1");
}

TEST(IParamDefine, PitchNotesOutsideMidiRangeAreClipped) {
  IParam param;
  param.DefinePitch("pitch", 0, -30, 200);
  EXPECT_EQ(param.DisplayTextCount(), 128);
  EXPECT_STREQ(param.DisplayTextFor(0.0), "C -2");
}

TEST(IParamDefine, DefineFromCopiesWithRenameAndGroup) {
  IParam source;
  source.DefineEnum("Osc 1 Wave", 1, {"Sine", "Saw"}, 0, "Osc 1");
  source.SetValue(0.0);

  IParam copy;
  copy.DefineFrom(source, "1", "2", "Osc 2");
  EXPECT_STREQ(copy.Name(), "Osc 2 Wave");
  EXPECT_STREQ(copy.Group(), "Osc 2");
  EXPECT_EQ(copy.Type(), IParam::kTypeEnum);
  EXPECT_EQ(copy.Value(), 1.0);
  EXPECT_STREQ(copy.DisplayTextFor(1.0), "Saw");

  IParam sameGroup;
  sameGroup.DefineFrom(source);
  EXPECT_STREQ(sameGroup.Name(), "Osc 1 Wave");
  EXPECT_STREQ(sameGroup.Group(), "Osc 1");

  source.DefineFrom(source, "Wave", "Shape");
  EXPECT_STREQ(source.Name(), "Osc 1 Shape");
  EXPECT_EQ(source.DisplayTextCount(), 4);
}
