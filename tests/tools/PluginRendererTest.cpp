// kelvora-render's plug-in host against the built bundle and the linked-in effect.
#include "RenderEngine.h"
#include "Vst3Plugin.h"

#include <gtest/gtest.h>

#include <cmath>

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

} // namespace
