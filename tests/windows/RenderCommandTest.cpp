#include "Commands.h"
#include "DemoSignal.h"
#include "FloatWav.h"
#include "TempFolder.h"
#include "Vst3Module.h"
#include "Vst3Plugin.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <cstdio>

// The stand-in module multiplies its input by its "Input Gain" parameter.
namespace {

const std::string kBundle = KELVORA_STAND_IN_BUNDLE;

// Made once: the demo's synthesis takes seconds under Wine.
const AudioBuffer& Demo() {
  static const AudioBuffer demo = MakeDemoSignal();
  return demo;
}

AudioBuffer Scaled(AudioBuffer audio, double gain) {
  for (auto& channel : audio.channels)
    for (double& sample : channel)
      sample *= gain;
  return audio;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  std::FILE* file = _wfopen(WideFromUtf8(path).c_str(), L"rb");
  if (!file) return bytes;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    bytes.push_back(static_cast<std::uint8_t>(c));
  std::fclose(file);
  return bytes;
}

std::vector<std::uint8_t> WavOf(const AudioBuffer& audio) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(EncodeFloatWav(audio, bytes, error)) << error;
  return bytes;
}

} // namespace

TEST(WindowsHostRender, LoadsTheModuleThroughItsWindowsEntryPoints) {
  Vst3Module module(kBundle);
  ASSERT_TRUE(module.loaded()) << module.error();
  EXPECT_NE(module.handle(), nullptr);
  ASSERT_NE(module.factory(), nullptr);
  EXPECT_EQ(module.factory()->countClasses(), 1);
  // Windows' entry points take no module handle: the loader calls them itself.
  EXPECT_EQ(module.moduleEntry, nullptr);
}

TEST(WindowsHostRender, SettingsReachTheEffectWithTheFirstBlock) {
  Vst3Plugin plugin;
  std::string error;
  ASSERT_TRUE(plugin.Load(kBundle, error)) << error;
  EXPECT_EQ(plugin.ClassName(), "Stand-in");
  ASSERT_TRUE(plugin.SetParameter("input gain", 0.25, error)) << error;
  EXPECT_FALSE(plugin.SetParameter("Volume", 1.0, error));
  EXPECT_NE(error.find("Input Gain"), std::string::npos) << error;

  // 4800 frames in blocks of 512: the last block is a short one.
  const AudioBuffer input = MakeDemoSignal(48000.0, 0.1);
  AudioBuffer output;
  ASSERT_TRUE(plugin.Process(input, 512, output, error)) << error;
  ASSERT_EQ(output.NumChannels(), 2);
  ASSERT_EQ(output.NumFrames(), 4800);
  EXPECT_EQ(output.channels, Scaled(input, 0.25).channels);
}

TEST(WindowsHostRender, RenderCommandWritesTheDemoThroughTheModule) {
  TempFolder folder;
  const std::string out = folder / "render \xC3\xA4.wav";
  ASSERT_EQ(RunRender({kBundle, out, "Input Gain=0.5", "--block", "300"}), 0);
  EXPECT_EQ(ReadFile(out), WavOf(Scaled(Demo(), 0.5)));

  const std::string demo = folder / "demo.wav";
  ASSERT_EQ(RunDemo({demo}), 0);
  EXPECT_EQ(ReadFile(demo), WavOf(Demo()));
}

TEST(WindowsHostRender, RenderCommandRefusesWhatItCannotDo) {
  TempFolder folder;
  const std::string out = folder / "out.wav";
  EXPECT_EQ(RunRender({kBundle}), 2);
  EXPECT_EQ(RunRender({kBundle, out, "input.wav"}), 2);
  EXPECT_EQ(RunRender({kBundle, out, "--direct"}), 2);
  EXPECT_EQ(RunRender({kBundle, out, "Input Gain=loud"}), 2);
  EXPECT_EQ(RunRender({kBundle, out, "Volume=1"}), 2);
  EXPECT_EQ(RunRender({folder / "Missing.vst3", out}), 1);
  EXPECT_EQ(RunDemo({}), 2);
  EXPECT_TRUE(ReadFile(out).empty());
}
