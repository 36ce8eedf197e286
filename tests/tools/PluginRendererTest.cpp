// kelvora-render's plug-in host against the built bundle and the linked-in effect.
#include "Lv2Plugin.h"
#include "RenderEngine.h"
#include "Vst3Plugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

AudioBuffer Sine(int channels, int frames) {
  AudioBuffer buffer;
  buffer.sampleRate = 44100.0;
  buffer.channels.assign(static_cast<size_t>(channels), std::vector<double>(frames));
  for (int ch = 0; ch < channels; ++ch)
    for (int s = 0; s < frames; ++s)
      buffer.channels[static_cast<size_t>(ch)][static_cast<size_t>(s)] =
          0.6 * std::sin(0.02 * s + ch);
  return buffer;
}

TEST(PluginRenderer, ListsAndSetsParametersByName) {
  Vst3Plugin plugin;
  std::string error;
  ASSERT_TRUE(plugin.Load(KELVORA_BUNDLE, error)) << error;
  EXPECT_EQ(plugin.ClassName(), "Kelvora");
  const auto params = plugin.Parameters();
  ASSERT_EQ(params.size(), 10u);
  EXPECT_TRUE(params[0].isBypass);
  EXPECT_EQ(params[5].title, "Input Gain");
  EXPECT_EQ(params[5].maxText, "200.00");
  EXPECT_EQ(params[5].defaultText, "32.00");
  EXPECT_EQ(params[5].units, "%");

  EXPECT_TRUE(plugin.SetParameter("input gain", 50.0, error));
  EXPECT_NE(plugin.DescribeParameters(false).find("now 50.00 %"), std::string::npos);
  EXPECT_FALSE(plugin.SetParameter("Loudness", 1.0, error));
  EXPECT_NE(error.find("Input Gain"), std::string::npos);
  // Only the effect's own "Bypass" can be set by name, so the list names it once.
  const size_t bypass = error.find("Bypass");
  ASSERT_NE(bypass, std::string::npos);
  EXPECT_EQ(error.find("Bypass", bypass + 1), std::string::npos);
  EXPECT_FALSE(plugin.SetParameter("Wet", NAN, error));

  std::string missing;
  Vst3Plugin nothing;
  EXPECT_FALSE(nothing.Load("/nonexistent/Nothing.vst3", missing));
  EXPECT_FALSE(missing.empty());
}

TEST(PluginRenderer, ModuleAndLinkedEffectAgreeOnTheDryPath) {
  for (int channels : {1, 2}) {
    const AudioBuffer in = Sine(channels, 3000);
    Vst3Plugin plugin;
    std::string error;
    ASSERT_TRUE(plugin.Load(KELVORA_BUNDLE, error)) << error;
    ASSERT_TRUE(plugin.SetParameter("Wet", 0.0, error));
    AudioBuffer viaModule;
    ASSERT_TRUE(plugin.Process(in, 256, viaModule, error)) << error;

    RenderEngine direct;
    ASSERT_TRUE(direct.SetParameter("Wet", 0.0, error));
    const AudioBuffer linked = direct.Process(in, 256);
    ASSERT_EQ(viaModule.NumChannels(), channels);
    ASSERT_EQ(viaModule.NumFrames(), in.NumFrames());
    for (int ch = 0; ch < channels; ++ch)
      for (long s = 0; s < in.NumFrames(); ++s)
        ASSERT_NEAR(viaModule.channels[ch][s], linked.channels[ch][s], 1e-12) << ch << " " << s;
  }
}

// The built Kelvora.lv2 through lilv, as kelvora-render --plugin loads it: the controls its
// Turtle names, and renders of both plug-ins that match the VST 3 bundle's within the effect's
// per-block jitter.
TEST(PluginRenderer, LoadsTheLv2BundleByItsFolder) {
  std::string error;
  std::unique_ptr<PluginBundle> plugin = PluginBundleFor(std::string(KELVORA_LV2_BUNDLE) + "/");
  ASSERT_NE(dynamic_cast<Lv2Plugin*>(plugin.get()), nullptr);
  EXPECT_NE(dynamic_cast<Vst3Plugin*>(PluginBundleFor(KELVORA_BUNDLE).get()), nullptr);
  ASSERT_TRUE(plugin->Load(KELVORA_LV2_BUNDLE, error)) << error;
  EXPECT_EQ(plugin->ClassName(), "Kelvora");

  const auto& controls = static_cast<Lv2Plugin&>(*plugin).Controls();
  ASSERT_EQ(controls.size(), 10u);
  EXPECT_EQ(controls[2].name, "Oversampling");
  EXPECT_EQ(controls[2].labels, (std::vector<std::string>{"1x", "2x", "4x", "8x"}));
  EXPECT_EQ(controls[4].unit, "%");
  EXPECT_TRUE(controls[9].isEnabled);
  EXPECT_NE(plugin->DescribeParameters(true).find("Input Gain     0..200 %, default 32 %"),
            std::string::npos);
  EXPECT_NE(plugin->DescribeParameters(true).find("default 1x"), std::string::npos);

  EXPECT_TRUE(plugin->SetParameter("input gain", 150.0, error));
  EXPECT_NE(plugin->DescribeParameters(false).find("now 150 %"), std::string::npos);
  EXPECT_FALSE(plugin->SetParameter("Enabled", 0.0, error)) << "the host's bypass has no name";
  EXPECT_FALSE(plugin->SetParameter("Wet", NAN, error));

  std::string missing;
  Lv2Plugin nothing;
  EXPECT_FALSE(nothing.Load("/nonexistent/Nothing.lv2", missing));
  EXPECT_FALSE(missing.empty());
}

TEST(PluginRenderer, Lv2AndVst3BundlesRenderAlike) {
  for (int channels : {1, 2}) {
    const AudioBuffer in = Sine(channels, 4000);
    Lv2Plugin lv2;
    Vst3Plugin vst3;
    std::string error;
    ASSERT_TRUE(lv2.Load(KELVORA_LV2_BUNDLE, error)) << error;
    ASSERT_TRUE(vst3.Load(KELVORA_BUNDLE, error)) << error;
    for (PluginBundle* plugin :
         {static_cast<PluginBundle*>(&lv2), static_cast<PluginBundle*>(&vst3)}) {
      ASSERT_TRUE(plugin->SetParameter("Input Gain", 180.0, error));
      ASSERT_TRUE(plugin->SetParameter("Oversampling", 2.0, error));
    }
    AudioBuffer viaLv2, viaVst3;
    ASSERT_TRUE(lv2.Process(in, 300, viaLv2, error)) << error;
    ASSERT_TRUE(vst3.Process(in, 300, viaVst3, error)) << error;
    ASSERT_EQ(viaLv2.NumChannels(), channels);
    ASSERT_EQ(viaLv2.NumFrames(), in.NumFrames());
    double largest = 0.0, fromInput = 0.0;
    for (int ch = 0; ch < channels; ++ch)
      for (long s = 0; s < in.NumFrames(); ++s) {
        largest = std::max(largest, std::fabs(viaLv2.channels[ch][s] - viaVst3.channels[ch][s]));
        fromInput = std::max(fromInput, std::fabs(viaLv2.channels[ch][s] - in.channels[ch][s]));
      }
    EXPECT_LT(largest, 5e-4) << channels << " channels";
    EXPECT_GT(fromInput, 0.05) << channels << " channels";
  }
}

} // namespace
