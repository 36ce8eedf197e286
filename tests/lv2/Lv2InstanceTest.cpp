// The module's plug-ins run through their descriptors as LV2 hosts run them: with no features
// at all (lv2apply), one frame per run, blocks longer than announced, and ports holding
// anything a host may leave in them.
#include "KelvoraIdentity.h"
#include "Lv2TestHost.h"
#include "RenderEngine.h"

#include "lv2/state/state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

double LargestDifference(const std::vector<std::vector<float>>& a,
                         const std::vector<std::vector<float>>& b) {
  double largest = 0.0;
  for (size_t c = 0; c < a.size(); ++c)
    for (size_t s = 0; s < a[c].size(); ++s)
      largest = std::max(largest, std::fabs(static_cast<double>(a[c][s]) - b[c][s]));
  return largest;
}

bool AllFinite(const std::vector<std::vector<float>>& signal) {
  for (const auto& channel : signal)
    for (float s : channel)
      if (!std::isfinite(s)) return false;
  return true;
}

TEST(Lv2Module, ServesTheStereoThenTheMonoPlugin) {
  ASSERT_NE(Lv2PluginClassAt(0), nullptr);
  ASSERT_NE(Lv2PluginClassAt(1), nullptr);
  EXPECT_STREQ(Lv2PluginClassAt(0)->descriptor.URI, kKelvoraLv2StereoUri);
  EXPECT_EQ(Lv2PluginClassAt(0)->channels, 2);
  EXPECT_STREQ(Lv2PluginClassAt(1)->descriptor.URI, kKelvoraLv2MonoUri);
  EXPECT_EQ(Lv2PluginClassAt(1)->channels, 1);
  EXPECT_EQ(Lv2PluginClassAt(2), nullptr);
  EXPECT_EQ(Lv2PluginClassAt(UINT32_MAX), nullptr);

  const LV2_Descriptor& d = Lv2PluginClassAt(0)->descriptor;
  EXPECT_NE(d.extension_data(LV2_STATE__interface), nullptr);
  EXPECT_EQ(d.extension_data("http://lv2plug.in/ns/ext/worker#interface"), nullptr);
  EXPECT_EQ(d.extension_data(nullptr), nullptr);
}

TEST(Lv2Instance, RunsWithoutAnyFeatureOneFrameAtATime) {
  const LV2_Feature emptyMap{LV2_URID__map, nullptr};
  const LV2_Feature unnamed{nullptr, nullptr};
  const LV2_Feature* none[] = {nullptr};
  const LV2_Feature* useless[] = {&emptyMap, &unnamed, nullptr};
  for (const LV2_Feature* const* features : {static_cast<const LV2_Feature* const*>(nullptr),
                                             static_cast<const LV2_Feature* const*>(none),
                                             static_cast<const LV2_Feature* const*>(useless)}) {
    Lv2TestHost host(0, features);
    ASSERT_TRUE(host.Instantiated());
    EXPECT_EQ(host.Plug().PreparedBlockLength(), 4096);
    const auto in = Lv2TestSignal(2, 600);
    const auto out = host.Render(in, 1);
    EXPECT_TRUE(AllFinite(out));
    EXPECT_GT(LargestDifference(in, out), 0.01) << "the effect is at work";
  }
}

TEST(Lv2Instance, TakesItsBlockLengthFromTheHostsOptions) {
  Lv2TestHost::UridMap urids;
  {
    Lv2TestHost::FullFeatures features(urids, 64);
    Lv2TestHost host(0, features.Get());
    ASSERT_TRUE(host.Instantiated());
    EXPECT_EQ(host.Plug().PreparedBlockLength(), 64);
  }
  for (int32_t unusable : {0, -5, IPlugInstance::kMaxBlockSize + 1}) {
    Lv2TestHost::FullFeatures features(urids, unusable);
    Lv2TestHost host(0, features.Get());
    ASSERT_TRUE(host.Instantiated()) << unusable;
    EXPECT_EQ(host.Plug().PreparedBlockLength(), 4096) << unusable;
  }
  {
    // An option of another type than the key names is not read as one.
    Lv2TestHost::FullFeatures features(urids, 64);
    features.options[0].type = urids(LV2_ATOM__Float);
    Lv2TestHost host(0, features.Get());
    EXPECT_EQ(host.Plug().PreparedBlockLength(), 4096);
  }
  {
    // Options without a map name nothing the plug-in can read.
    Lv2TestHost::FullFeatures features(urids, 64);
    const LV2_Feature* optionsOnly[] = {&features.optionsFeature, nullptr};
    Lv2TestHost host(0, optionsOnly);
    ASSERT_TRUE(host.Instantiated());
    EXPECT_EQ(host.Plug().PreparedBlockLength(), 4096);
  }
}

TEST(Lv2Instance, RefusesRatesItCannotServe) {
  for (double rate : {0.0, -48000.0, std::nan(""), 1e9}) {
    Lv2TestHost host(0, nullptr, rate);
    EXPECT_FALSE(host.Instantiated()) << rate;
  }
}

// A run longer than the announced block is rendered in pieces of that block, each as if the
// host had sent it alone: the same seeds, the same output.
TEST(Lv2Instance, LongRunsAreServedInPreparedPieces) {
  Lv2TestHost::UridMap urids;
  Lv2TestHost::FullFeatures features(urids, 64);
  Lv2TestHost whole(0, features.Get()), pieces(0, features.Get());
  for (Lv2TestHost* host : {&whole, &pieces}) {
    host->SetSeed(11);
    host->controls[kInputGain] = 150.f;
    host->controls[kOversampling] = 2.f;
  }
  const auto in = Lv2TestSignal(2, 1000);
  const auto a = whole.Render(in, 1000);
  const auto b = pieces.Render(in, 64);
  EXPECT_EQ(a, b);
  EXPECT_GT(LargestDifference(in, a), 0.01);
}

// The LV2 plug-in renders what the linked-in effect renders (kelvora-render --direct --seed),
// to within the 32-bit samples of its ports, in long blocks and in one-frame runs.
TEST(Lv2Instance, RendersWhatTheDirectRenderRenders) {
  for (int runLength : {256, 1}) {
    Lv2TestHost host(0, nullptr);
    RenderEngine direct;
    host.SetSeed(42);
    direct.SetSeed(42);
    std::string error;
    host.controls[kInputGain] = 120.f;
    host.controls[kReact] = 1.f;
    host.controls[kOversampling] = 1.f;
    host.controls[kBias] = 0.7f;
    ASSERT_TRUE(direct.SetParameter("Input Gain", 120., error));
    ASSERT_TRUE(direct.SetParameter("React", 1., error));
    ASSERT_TRUE(direct.SetParameter("Oversampling", 1., error));
    ASSERT_TRUE(direct.SetParameter("Bias", 0.7f, error));

    const auto in = Lv2TestSignal(2, 3000);
    AudioBuffer buffer;
    buffer.sampleRate = 48000.0;
    for (const auto& channel : in)
      buffer.channels.emplace_back(channel.begin(), channel.end());
    const AudioBuffer reference = direct.Process(buffer, runLength);
    std::vector<std::vector<float>> expected;
    for (const auto& channel : reference.channels)
      expected.emplace_back(channel.begin(), channel.end());

    const auto out = host.Render(in, runLength);
    EXPECT_LT(LargestDifference(out, expected), 1e-6) << "runs of " << runLength;
    EXPECT_GT(LargestDifference(in, out), 0.01);
  }
}

TEST(Lv2Instance, ControlPortsTakeNumbersClampedIntoTheirRange) {
  Lv2TestHost host(0, nullptr);
  ASSERT_TRUE(host.Instantiated());
  const auto in = Lv2TestSignal(2, 8);
  const auto step = [&](float value) {
    host.controls[kInputGain] = value;
    host.Render(in, 8);
    return host.ParamValue(kInputGain);
  };
  EXPECT_EQ(step(80.f), 80.0);
  EXPECT_EQ(step(kNaN), 80.0) << "no number, no change";
  EXPECT_EQ(step(1e9f), 200.0);
  EXPECT_EQ(step(-kInf), 0.0);
  EXPECT_EQ(step(kInf), 200.0);
  EXPECT_EQ(step(kNaN), 200.0);
  EXPECT_EQ(step(-3.f), 0.0);

  host.controls[kWet] = 40.f;
  host.controls[kTame] = 7.f;
  host.Render(in, 8);
  EXPECT_EQ(host.ParamValue(kWet), 40.0);
  EXPECT_EQ(host.ParamValue(kTame), 1.0);
}

TEST(Lv2Instance, TheEnabledPortIsTheHostsBypass) {
  Lv2TestHost host(0, nullptr);
  const auto in = Lv2TestSignal(2, 512);
  host.enabled = 0.f;
  EXPECT_EQ(host.Render(in, 512), in) << "bypassed: the input, unchanged";
  EXPECT_TRUE(host.Plug().IsBypassed());
  host.enabled = kNaN;
  EXPECT_EQ(host.Render(in, 512), in);
  host.enabled = 1.f;
  EXPECT_GT(LargestDifference(in, host.Render(in, 512)), 0.01);
  EXPECT_FALSE(host.Plug().IsBypassed());
  EXPECT_EQ(host.ParamValue(kBypass), 0.0) << "the effect's own Bypass is another port";
}

TEST(Lv2Instance, PortsAHostLeavesUnconnectedAreSafe) {
  Lv2TestHost host(0, nullptr);
  const Lv2PortLayout layout = host.Plug().Ports();
  EXPECT_EQ(layout.Count(), 14u);
  // Past the last port: ignored.
  float stray = 99.f;
  host.descriptor->connect_port(host.handle, layout.Count(), &stray);
  host.descriptor->connect_port(host.handle, UINT32_MAX, &stray);
  host.descriptor->connect_port(host.handle, layout.Control(kInputGain), nullptr);
  std::vector<float> out(64, 5.f);
  host.descriptor->connect_port(host.handle, layout.AudioIn(0), nullptr);
  host.descriptor->connect_port(host.handle, layout.AudioIn(1), nullptr);
  host.descriptor->connect_port(host.handle, layout.AudioOut(0), out.data());
  host.descriptor->connect_port(host.handle, layout.AudioOut(1), nullptr);
  host.descriptor->run(host.handle, 64);
  for (float s : out)
    EXPECT_TRUE(std::isfinite(s));
  EXPECT_LT(std::fabs(out[63]), 1e-3) << "unconnected inputs read silence";
  EXPECT_EQ(host.ParamValue(kInputGain), 32.0);

  host.descriptor->connect_port(host.handle, layout.AudioOut(0), nullptr);
  host.descriptor->run(host.handle, 64);
  host.descriptor->run(host.handle, 0);
}

TEST(Lv2Instance, TheMonoPluginRendersOneChannel) {
  Lv2TestHost host(1, nullptr);
  ASSERT_TRUE(host.Instantiated());
  EXPECT_EQ(host.Plug().Ports().Count(), 12u);
  EXPECT_EQ(host.Plug().CountConnected(kOutput), 1);
  host.controls[kInputGain] = 200.f;
  const auto in = Lv2TestSignal(1, 2048);
  const auto out = host.Render(in, 300);
  EXPECT_TRUE(AllFinite(out));
  EXPECT_GT(LargestDifference(in, out), 0.01);
}

// Deactivating and activating again starts from silence: the same seeds give the same output.
TEST(Lv2Instance, ActivationStartsFromSilence) {
  Lv2TestHost host(0, nullptr);
  const auto in = Lv2TestSignal(2, 700);
  host.SetSeed(3);
  const auto first = host.Render(in, 100);
  host.descriptor->deactivate(host.handle);
  host.descriptor->activate(host.handle);
  host.SetSeed(3);
  EXPECT_EQ(host.Render(in, 100), first);
}

} // namespace
