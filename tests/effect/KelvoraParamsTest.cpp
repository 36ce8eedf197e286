#include "EffectHarness.h"
#include "KelvoraConfig.h"
#include "KelvoraParamTable.h"
#include "KelvoraTestAccess.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct ParamRow {
  const char* name;
  double defaultValue, min, max, step;
  const char* label;
  int precision;
  const char* shownDefault;
};

const ParamRow kRows[kNumParams] = {
    {"Bypass", 0, 0, 1, 1, "", 0, "0"},
    {"React", 0, 0, 1, 1, "", 0, "0"},
    {"Oversampling", 0, 0, 3, 1, "", 0, "0"},
    {"Delta", 0, 0, 1, 1, "", 0, "0"},
    {"Input Gain", 32, 0, 200, 0.01, "%", 2, "32.00"},
    {"Wet", 50, 0, 100, 0.01, "%", 2, "50.00"},
    {"Tame", 0.5, 0, 1, 0.001, "", 3, "0.500"},
    {"Output Gain", 100, 0, 120, 0.01, "%", 2, "100.00"},
    {"Bias", 0.5, 0, 1, 0.001, "", 3, "0.500"},
};

TEST(KelvoraParams, NineParametersAsDefined) {
  KelvoraInstance kInstance;
  Kelvora& k = kInstance.get();
  ASSERT_EQ(k.NParams(), 9);
  for (int i = 0; i < kNumParams; ++i) {
    SCOPED_TRACE(kRows[i].name);
    const IParam* p = k.GetParam(i);
    EXPECT_STREQ(p->Name(), kRows[i].name);
    EXPECT_STREQ(p->Label(), kRows[i].label);
    EXPECT_STREQ(p->Group(), "");
    EXPECT_EQ(p->Type(), IParam::kTypeDouble);
    EXPECT_EQ(p->Unit(), IParam::kUnitCustom);
    EXPECT_EQ(p->GetFlags(), 0);
    EXPECT_EQ(p->Default(), kRows[i].defaultValue);
    EXPECT_EQ(p->Value(), kRows[i].defaultValue);
    EXPECT_EQ(p->Min(), kRows[i].min);
    EXPECT_EQ(p->Max(), kRows[i].max);
    EXPECT_EQ(p->Step(), kRows[i].step);
    EXPECT_EQ(p->DisplayPrecision(), kRows[i].precision);
    EXPECT_EQ(p->GetShape().DisplayCurveHint(), 0);
    EXPECT_FALSE(p->GetDisplayFunc());
    std::string shown;
    p->FormatDisplay(p->Value(), false, shown);
    EXPECT_EQ(shown, kRows[i].shownDefault);
  }
}

TEST(KelvoraParams, SwitchesAreContinuousAndShowWholeNumbers) {
  KelvoraInstance kInstance;
  Kelvora& k = kInstance.get();
  IParam* os = k.GetParam(kOversampling);
  os->SetNormalized(0.9);
  EXPECT_NEAR(os->Value(), 2.7, 1e-12);
  std::string shown;
  os->FormatDisplay(os->Value(), false, shown);
  EXPECT_EQ(shown, "3");
}

struct DefRow {
  const char* name;
  const char* symbol;
  double min, max, defaultValue, step;
  int precision;
  const char* unit;
  ParamDef::Kind kind;
};

constexpr auto kContinuous = ParamDef::Kind::kContinuous;
constexpr auto kSwitch = ParamDef::Kind::kSwitch;

const DefRow kDefRows[kNumParams] = {
    {"Bypass", "bypass", 0, 1, 0, 1, 0, "", kSwitch},
    {"React", "react", 0, 1, 0, 1, 0, "", kSwitch},
    {"Oversampling", "oversampling", 0, 3, 0, 1, 0, "", ParamDef::Kind::kChoice},
    {"Delta", "delta", 0, 1, 0, 1, 0, "", kSwitch},
    {"Input Gain", "input_gain", 0, 200, 32, 0.01, 2, "%", kContinuous},
    {"Wet", "wet", 0, 100, 50, 0.01, 2, "%", kContinuous},
    {"Tame", "tame", 0, 1, 0.5, 0.001, 3, "", kContinuous},
    {"Output Gain", "output_gain", 0, 120, 100, 0.01, 2, "%", kContinuous},
    {"Bias", "bias", 0, 1, 0.5, 0.001, 3, "", kContinuous},
};

TEST(KelvoraParamTable, RowsHoldTheProductsParameters) {
  ASSERT_EQ(kKelvoraParams.size(), 9u);
  for (int i = 0; i < kNumParams; ++i) {
    const ParamDef& def = kKelvoraParams[static_cast<std::size_t>(i)];
    const DefRow& row = kDefRows[i];
    SCOPED_TRACE(row.name);
    EXPECT_STREQ(def.name, row.name);
    EXPECT_STREQ(def.symbol, row.symbol);
    EXPECT_EQ(def.min, row.min);
    EXPECT_EQ(def.max, row.max);
    EXPECT_EQ(def.defaultValue, row.defaultValue);
    EXPECT_EQ(def.defaultValue, kDefaultParamValues[static_cast<std::size_t>(i)]);
    EXPECT_EQ(def.step, row.step);
    EXPECT_EQ(def.displayPrecision, row.precision);
    EXPECT_STREQ(def.unit, row.unit);
    EXPECT_EQ(def.kind, row.kind);
    if (row.kind != ParamDef::Kind::kChoice) {
      EXPECT_EQ(def.labelCount, 0);
    }
  }
  const ParamDef& oversampling = kKelvoraParams[kOversampling];
  ASSERT_EQ(oversampling.labelCount, 4);
  const std::vector<std::string> labels(oversampling.labels, oversampling.labels + 4);
  EXPECT_EQ(labels, (std::vector<std::string>{"1x", "2x", "4x", "8x"}));
}

TEST(KelvoraParamTable, ParametersBuiltFromTheRowsShowTheTextsHostsKnow) {
  const struct {
    int param;
    double value;
    bool normalized;
    const char* text;
  } cases[] = {
      {kInputGain, 0, false, "0.00"},
      {kInputGain, 33.333, false, "33.33"},
      {kInputGain, 0.5, true, "100.00"},
      {kInputGain, 1, true, "200.00"},
      {kWet, 99.999, false, "100.00"},
      {kWet, 0.25, true, "25.00"},
      {kTame, 0.1234, false, "0.123"},
      {kTame, 1, true, "1.000"},
      {kOutputGain, 120, false, "120.00"},
      {kOutputGain, 0.5, true, "60.00"},
      {kBias, 0.3, false, "0.300"},
      {kBias, 0, true, "0.000"},
      {kBypass, 1, false, "1"},
      {kBypass, 0.4, false, "0"},
      {kReact, 0.6, false, "1"},
      {kDelta, 1, true, "1"},
      {kOversampling, 2.7, false, "3"},
      {kOversampling, 1. / 3., true, "1"},
  };
  KelvoraInstance instance;
  for (const auto& c : cases) {
    SCOPED_TRACE(kDefRows[c.param].name);
    SCOPED_TRACE(c.value);
    IParam param;
    param.Define(kKelvoraParams[static_cast<std::size_t>(c.param)]);
    std::string shown, effectShows;
    param.FormatDisplay(c.value, c.normalized, shown);
    EXPECT_EQ(shown, c.text);
    instance.get().GetParam(c.param)->FormatDisplay(c.value, c.normalized, effectShows);
    EXPECT_EQ(effectShows, c.text);
  }
}

TEST(KelvoraConfiguration, CompiledInValues) {
  const Config c = KelvoraConfig();
  EXPECT_EQ(c.nParams, 9);
  EXPECT_EQ(c.nPresets, 1);
  EXPECT_STREQ(c.channelIOStr, "1-1 2-2");
  EXPECT_STREQ(c.pluginName, "Kelvora");
  EXPECT_STREQ(c.productName, "Kelvora");
  EXPECT_STREQ(c.mfrName, "Murkwhale");
  EXPECT_EQ(c.vendorVersion, 0x00010105);
  EXPECT_EQ(c.uniqueID, 0x6F667A6F); // 'ofzo'
  EXPECT_EQ(c.mfrID, 0x4D4B484C);    // 'MKHL'
  EXPECT_EQ(c.latency, 0);
  EXPECT_FALSE(c.plugDoesMidiIn || c.plugDoesMidiOut || c.plugDoesMPE || c.plugDoesChunks);
  EXPECT_EQ(c.plugType, 0);
  EXPECT_TRUE(c.plugHasUI);
  EXPECT_EQ(c.plugWidth, 1630);
  EXPECT_EQ(c.plugHeight, 1010);
  EXPECT_EQ(c.plugMinWidth, 815);
  EXPECT_EQ(c.plugMaxWidth, 3260);
  EXPECT_EQ(c.plugMinHeight, 505);
  EXPECT_EQ(c.plugMaxHeight, 2020);
  EXPECT_TRUE(c.plugHostResize);
  EXPECT_STREQ(c.bundleID, "com.Murkwhale.vst3.Kelvora");
}

TEST(KelvoraConstruction, ChannelsAndConstants) {
  KelvoraInstance kInstance;
  Kelvora& k = kInstance.get();
  EXPECT_EQ(k.NIOConfigs(), 2);
  EXPECT_EQ(k.CountConnected(kInput), 2);
  EXPECT_EQ(k.CountConnected(kOutput), 2);
  using A = ChainTestAccess;
  const SaturationChain& chain = KelvoraTestAccess::Chain(k);
  EXPECT_EQ(A::Constants(chain),
            (std::vector<double>{1.618033988749895, 0.3819660112501051, 0.6180339887498949, 1e-5,
                                 1.0, 2.0, 2.0011596521816433, 2.0023318412286644}));
  EXPECT_EQ(A::Tone(chain),
            (std::vector<double>{0.8132425994466649, 1.6264851988933298, 0.8132425994466649,
                                 1.5912978843171357, 0.661672513469524}));
  EXPECT_EQ(A::GainCompensation(chain), 1.0f);
  EXPECT_EQ(A::OversamplingFactor(chain), 1);
  EXPECT_TRUE(A::ResetPending(chain));
  for (double v : A::AllState(chain))
    ASSERT_EQ(v, 0.0);
}

} // namespace
