#include "StatePluginFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {
std::string TempPath(const char* name) {
  return std::string(::testing::TempDir()) + name + std::to_string(::getpid());
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

/** A bool, an int, an enum and a double parameter, stored as "Mix". */
struct DumpPlugin : StateTestPlugin {
  DumpPlugin() : StateTestPlugin(StateTestConfig(4, 1)) {
    GetParam(0)->DefineBool("on", true);
    GetParam(1)->DefineInt("count", 3, 0, 10);
    GetParam(2)->DefineEnum("mode", 2, {"a", "b", "c"});
    GetParam(3)->DefineDouble("gain", 0.5, 0, 1, 0.01);
    GetParam(3)->SetValue(0.25);
    AddPresetFromState("Mix");
  }
};
} // namespace

TEST(PresetDump, MakePresetCallListsTheValuesAsTypedLiteralsAndAppends) {
  DumpPlugin plugin;
  const std::string path = TempPath("dump.txt");
  std::remove(path.c_str());
  ASSERT_TRUE(plugin.WriteMakePresetCall(path.c_str()));
  ASSERT_TRUE(plugin.WriteMakePresetCall(path.c_str()));
  const std::string line = "MakePreset(\"Mix\", true, 3, 2, 0.250000);\n";
  EXPECT_EQ(ReadText(path), line + line);
  std::remove(path.c_str());
}

TEST(PresetDump, NamedPresetCallPairsIdentifiersWithValues) {
  DumpPlugin plugin;
  const std::string path = TempPath("named.txt");
  std::remove(path.c_str());
  const char* ids[] = {"kOn", "kCount", "kMode", "kGain"};
  ASSERT_TRUE(plugin.WriteNamedPresetCall(path.c_str(), ids));
  EXPECT_EQ(ReadText(path), "  MakePresetFromNamedParams(\"Mix\", 4,\n    kOn, true,\n"
                            "    kCount, 3,\n    kMode, 2,\n    kGain, 0.250000);\n");
  std::remove(path.c_str());
}

TEST(PresetDump, Base64CallOfANineParameterPresetHolds96CharactersAndSize72) {
  StateTestPlugin plugin;
  plugin.AddPresetFromState("Blob");
  const std::string path = TempPath("blob.txt");
  std::remove(path.c_str());
  ASSERT_TRUE(plugin.WriteBase64PresetCall(path.c_str()));
  const std::string text = ReadText(path);
  const std::string head = "MakePresetFromBlob(\"Blob\", \"";
  ASSERT_EQ(text.compare(0, head.size(), head), 0);
  EXPECT_EQ(text.substr(head.size() + 96), "\", 72);\n");
  std::remove(path.c_str());
}

TEST(PresetDump, AnUnopenableFileWritesNothing) {
  DumpPlugin plugin;
  EXPECT_FALSE(plugin.WriteMakePresetCall("/nonexistent/dir/dump.txt"));
  EXPECT_FALSE(plugin.WriteBase64PresetCall(nullptr));
}

TEST(PluginIdentity, VersionApiArchitectureAndBuildTexts) {
  StateTestPlugin plugin;
  EXPECT_EQ(plugin.GetPluginVersion(false), 0x00010105);
  EXPECT_EQ(plugin.GetPluginVersion(true), 10105);
  EXPECT_EQ(plugin.GetPluginVersionStr(), "v1.1.5");
  EXPECT_EQ(plugin.GetHostVersionStr(), "v0.0.0");
  EXPECT_STREQ(plugin.GetAPIStr(), "VST3");
  EXPECT_STREQ(plugin.GetArchStr(), "x86-64");
  EXPECT_EQ(plugin.GetBuildInfoStr("Dec  7 2026", "20:33:30"),
            "v1.1.5 VST3 (x86-64), built on Dec  7 2026 at 20:33 ");
  EXPECT_STREQ(plugin.GetPluginName(), "Kelvora");
  EXPECT_STREQ(plugin.GetMfrName(), "Murkwhale");
  EXPECT_STREQ(plugin.GetBundleID(), "com.Murkwhale.vst3.Kelvora");
  EXPECT_EQ(plugin.GetMfrID(), 0x4D4B484C);
}

TEST(PluginIdentity, ApiNamesByIndex) {
  const char* names[] = {"VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "LV2", ""};
  for (int api = 0; api <= 9; ++api) {
    struct ApiPlugin : StateTestPlugin {
      explicit ApiPlugin(int index) { SetAPI(index); }
    } plugin(api);
    EXPECT_STREQ(plugin.GetAPIStr(), names[api]);
  }
}

TEST(ParamGroups, AreNumberedInOrderOfFirstRegistration) {
  StateTestPlugin plugin;
  EXPECT_EQ(plugin.AddParamGroup("Drive"), 0);
  EXPECT_EQ(plugin.AddParamGroup("Output"), 1);
  EXPECT_EQ(plugin.AddParamGroup("Drive"), 0);
  EXPECT_EQ(plugin.NParamGroups(), 2);
  EXPECT_STREQ(plugin.GetParamGroupName(1), "Output");
  EXPECT_EQ(plugin.GetParamGroupName(2), nullptr);
}
