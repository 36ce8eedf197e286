// The instance as a binding drives it from the host's user-interface and audio threads: host
// values, the host bypass, prepare's checks and the match of bus channels to configurations.
#include "InstanceFixture.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(InstanceHostValues, AudioThreadValueIsStoredAndToldToTheProcessingSideOnly) {
  TestInstance plug;
  EXPECT_TRUE(plug.SetParamFromHost(0, 0.5, 17));
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 5.0);
  ASSERT_EQ(plug.calls.size(), 1u);
  EXPECT_EQ(plug.calls[0].hook, "processing");
  EXPECT_EQ(plug.calls[0].paramIdx, 0);
  EXPECT_EQ(plug.calls[0].source, kSourceHost);
  EXPECT_EQ(plug.calls[0].value, 17.0);
}

TEST(InstanceHostValues, UserInterfaceValueIsStoredToldToTheEditorSideAndShown) {
  TestInstance plug;
  EXPECT_TRUE(plug.SetEditorParamFromHost(1, 1.0));
  EXPECT_DOUBLE_EQ(plug.GetParam(1)->Value(), 1.0);
  // Showing the value tells the editor side once more, as the delegate's own change.
  ASSERT_EQ(plug.calls.size(), 3u);
  EXPECT_EQ(plug.calls[0].hook, "editor");
  EXPECT_EQ(plug.calls[0].source, kSourceHost);
  EXPECT_EQ(plug.calls[1].hook, "shown normalised");
  EXPECT_EQ(plug.calls[1].paramIdx, 1);
  EXPECT_EQ(plug.calls[1].value, 1.0);
  EXPECT_EQ(plug.calls[2].hook, "editor");
  EXPECT_EQ(plug.calls[2].source, kSourceDelegate);
}

TEST(InstanceHostValues, ValuesThatAreNoNumberAndUnknownIndexesChangeNothing) {
  TestInstance plug;
  const std::vector<double> before = plug.Values();
  for (double value : {kNaN, kInf, -kInf}) {
    EXPECT_FALSE(plug.SetParamFromHost(0, value, 0)) << value;
    EXPECT_FALSE(plug.SetEditorParamFromHost(0, value)) << value;
  }
  for (int idx : {-1, 2, 65536}) {
    EXPECT_FALSE(plug.SetParamFromHost(idx, 0.5, 0)) << idx;
    EXPECT_FALSE(plug.SetEditorParamFromHost(idx, 0.5)) << idx;
  }
  EXPECT_EQ(plug.Values(), before);
  EXPECT_TRUE(plug.calls.empty());
}

TEST(InstanceHostValues, BypassIsOnAboveOneHalfAndIgnoresValuesThatAreNoNumber) {
  TestInstance plug;
  EXPECT_FALSE(plug.IsBypassed());
  EXPECT_TRUE(plug.SetBypassFromHost(0.51));
  EXPECT_TRUE(plug.IsBypassed());
  EXPECT_FALSE(plug.SetBypassFromHost(kNaN));
  EXPECT_TRUE(plug.IsBypassed());
  EXPECT_TRUE(plug.SetBypassFromHost(0.5));
  EXPECT_FALSE(plug.IsBypassed());
  // The bypass is the host's, not a parameter: no hook hears of it.
  EXPECT_TRUE(plug.calls.empty());
}

TEST(InstancePrepare, AcceptedSetupSizesTheStorageAndResets) {
  TestInstance plug;
  EXPECT_EQ(plug.GetSampleSize(), kSamples32);
  ASSERT_TRUE(plug.Prepare(96000.0, 256, kSamples64));
  EXPECT_EQ(plug.GetSampleRate(), 96000.0);
  EXPECT_EQ(plug.GetBlockSize(), 256);
  EXPECT_EQ(plug.GetSampleSize(), kSamples64);
  EXPECT_EQ(plug.resets, 1);

  // The edges are taken.
  EXPECT_TRUE(plug.Prepare(IPlugInstance::kMinSampleRate, 1, kSamples32));
  EXPECT_TRUE(plug.Prepare(IPlugInstance::kMaxSampleRate, 64, kSamples32));
  EXPECT_EQ(plug.resets, 3);
}

TEST(InstancePrepare, RefusesWhatCannotBeProcessedAndChangesNothing) {
  TestInstance plug;
  ASSERT_TRUE(plug.Prepare(48000.0, 64, kSamples64));
  const struct {
    double rate;
    int block;
    ESampleSize size;
  } refused[] = {
      {48000.0, 64, kSamplesOther},
      {48000.0, 0, kSamples32},
      {48000.0, -5, kSamples32},
      {48000.0, IPlugInstance::kMaxBlockSize + 1, kSamples32},
      {0.0, 64, kSamples32},
      {0.999999, 64, kSamples32},
      {std::numeric_limits<double>::denorm_min(), 64, kSamples32},
      {-44100.0, 64, kSamples32},
      {IPlugInstance::kMaxSampleRate * 1.001, 64, kSamples32},
      {kNaN, 64, kSamples32},
      {kInf, 64, kSamples32},
  };
  for (const auto& setup : refused) {
    EXPECT_FALSE(plug.Prepare(setup.rate, setup.block, setup.size))
        << setup.rate << " " << setup.block;
    EXPECT_EQ(plug.GetSampleRate(), 48000.0);
    EXPECT_EQ(plug.GetBlockSize(), 64);
    EXPECT_EQ(plug.GetSampleSize(), kSamples64);
  }
  EXPECT_EQ(plug.resets, 1);
}

TEST(InstancePrepare, StoppingResetsAndActivationReachesTheHook) {
  TestInstance plug;
  plug.SetProcessing(true);
  EXPECT_EQ(plug.resets, 0);
  plug.SetProcessing(false);
  EXPECT_EQ(plug.resets, 1);
  plug.SetActive(true);
  plug.SetActive(false);
  EXPECT_EQ(plug.activations, (std::vector<bool>{true, false}));
}

TEST(InstanceBuses, ChannelCountsFindTheirConfiguration) {
  TestInstance plug;
  // The effect's constructor sees every channel connected.
  EXPECT_EQ(plug.CountConnected(kInput), 2);
  EXPECT_EQ(plug.CountConnected(kOutput), 2);
  EXPECT_EQ(plug.ConfigForBusChannels({1}, {1}), plug.GetIOConfig(0));
  EXPECT_EQ(plug.ConfigForBusChannels({2}, {2}), plug.GetIOConfig(1));
  EXPECT_EQ(plug.ConfigForBusChannels({1}, {2}), nullptr);
  EXPECT_EQ(plug.ConfigForBusChannels({2, 2}, {2}), nullptr);
  EXPECT_EQ(plug.ConfigForBusChannels({}, {2}), nullptr);

  plug.DisconnectChannels();
  EXPECT_EQ(plug.CountConnected(kInput), 0);
  EXPECT_EQ(plug.CountConnected(kOutput), 0);
}

} // namespace
