#include "Base64.h"
#include "StatePluginFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string Bytes(const IByteChunk& chunk) {
  return std::string(reinterpret_cast<const char*>(chunk.GetData()),
                     static_cast<size_t>(chunk.Size()));
}

IByteChunk StateOf(const IPluginBase& plugin) {
  IByteChunk chunk;
  plugin.WriteState(chunk);
  return chunk;
}
} // namespace

TEST(Presets, AreCreatedUninitialisedAndNamedEmpty) {
  StateTestPlugin plugin(StateTestConfig(9, 3));
  ASSERT_EQ(plugin.NPresets(), 3);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(plugin.GetPreset(i)->mInitialized);
    EXPECT_STREQ(plugin.PresetName(i), "empty");
    EXPECT_EQ(plugin.GetPreset(i)->mChunk.Size(), 0);
  }
  EXPECT_STREQ(plugin.PresetName(3), "");
  EXPECT_STREQ(plugin.PresetName(-1), "");
  EXPECT_EQ(plugin.GetPreset(3), nullptr);
}

TEST(Presets, RecallingAnUninitialisedPresetCapturesTheStateAsTheNextUserPreset) {
  StateTestPlugin plugin(StateTestConfig(9, 4));
  EXPECT_TRUE(plugin.RecallPreset(0));
  EXPECT_TRUE(plugin.RecallPreset(1));
  EXPECT_STREQ(plugin.PresetName(0), "user preset 1");
  EXPECT_STREQ(plugin.PresetName(1), "user preset 2");
  plugin.GetParam(5)->SetValue(70.0);
  plugin.log.clear();
  EXPECT_TRUE(plugin.RecallPreset(3));
  EXPECT_STREQ(plugin.PresetName(3), "user preset 3");
  EXPECT_TRUE(plugin.GetPreset(3)->mInitialized);
  EXPECT_TRUE(Bytes(plugin.GetPreset(3)->mChunk) == Bytes(StateOf(plugin)));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 3);
  EXPECT_EQ(plugin.Calls("preset changed").size(), 1u);
  EXPECT_EQ(plugin.Calls("state restored").size(), 1u);

  EXPECT_FALSE(plugin.RecallPreset(4));
  EXPECT_FALSE(plugin.RecallPreset(-1));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 3);
}

TEST(Presets, RecallingAnInitialisedPresetRestoresItsValues) {
  StateTestPlugin plugin(StateTestConfig(9, 2));
  plugin.GetParam(4)->SetValue(150.0);
  plugin.AddPresetFromState("loud");
  plugin.GetParam(4)->SetValue(10.0);
  EXPECT_TRUE(plugin.RecallPresetByName("loud"));
  EXPECT_EQ(plugin.GetParam(4)->Value(), 150.0);
  EXPECT_FALSE(plugin.RecallPresetByName("lou"));
  EXPECT_FALSE(plugin.RecallPresetByName(""));
  EXPECT_FALSE(plugin.RecallPresetByName(nullptr));

  IByteChunk shortData;
  shortData.Put(1.0);
  plugin.AddPresetFromChunk("broken", shortData);
  EXPECT_FALSE(plugin.RecallPreset(1));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
}

TEST(Presets, AddingFillsTheFirstUninitialisedPresetsOnly) {
  StateTestPlugin plugin(StateTestConfig(9, 4));
  plugin.AddPresetFromState(nullptr, 2);
  EXPECT_STREQ(plugin.PresetName(0), "Empty");
  EXPECT_STREQ(plugin.PresetName(1), "Empty");
  EXPECT_FALSE(plugin.GetPreset(2)->mInitialized);
  plugin.FillEmptyPresets();
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(plugin.GetPreset(i)->mInitialized);
  plugin.AddPresetFromState("no room");
  for (int i = 0; i < 4; ++i)
    EXPECT_STRNE(plugin.PresetName(i), "no room");
}

TEST(Presets, ValuesAreReadByParameterTypeAndNamedValuesFallBackToCurrentOnes) {
  Config config = StateTestConfig(3, 3);
  StateTestPlugin plugin(config);
  plugin.GetParam(0)->DefineBool("on", false);
  plugin.GetParam(1)->DefineDouble("gain", 0.25, 0, 1, 0.01);
  plugin.GetParam(2)->DefineInt("count", 2, 0, 10);
  plugin.AddPresetFromValues("typed", 1, 0.75, 7);
  IByteChunk expected;
  expected.Put(1.0);
  expected.Put(0.75);
  expected.Put(7.0);
  EXPECT_TRUE(Bytes(plugin.GetPreset(0)->mChunk) == Bytes(expected));

  plugin.AddPresetFromNamedValues("none", 0);
  EXPECT_TRUE(Bytes(plugin.GetPreset(1)->mChunk) == Bytes(StateOf(plugin)));

  // 9.999e-8 marks an unset slot, so setting exactly that value yields the current one.
  plugin.AddPresetFromNamedValues("pairs", 2, 2, 9, 1, 9.999e-8);
  IByteChunk pairs;
  pairs.Put(0.0);
  pairs.Put(0.25);
  pairs.Put(9.0);
  EXPECT_TRUE(Bytes(plugin.GetPreset(2)->mChunk) == Bytes(pairs));
}

TEST(Presets, Base64PresetDecodesIntoTheGivenSizeWithZerosAfterTheText) {
  StateTestPlugin plugin(StateTestConfig(9, 2));
  plugin.AddPresetFromBase64("blob", "AQID", 5);
  const IByteChunk& data = plugin.GetPreset(0)->mChunk;
  ASSERT_EQ(data.Size(), 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.GetData()), 5),
            std::string("\x01\x02\x03\x00\x00", 5));
  plugin.AddPresetFromBase64("cut", "AQIDBA==", 2);
  EXPECT_EQ(plugin.GetPreset(1)->mChunk.Size(), 2);
}

TEST(Presets, StoreAndRemoveKeepOrderAndNames) {
  StateTestPlugin plugin(StateTestConfig(9, 3));
  plugin.AddPresetFromState("a");
  plugin.GetParam(5)->SetValue(80.0);
  plugin.StoreCurrentPreset("renamed");
  EXPECT_STREQ(plugin.PresetName(0), "renamed");
  plugin.StoreCurrentPreset("");
  EXPECT_STREQ(plugin.PresetName(0), "renamed");
  EXPECT_TRUE(Bytes(plugin.GetPreset(0)->mChunk) == Bytes(StateOf(plugin)));

  plugin.AddPresetFromState("b"); // preset 1; preset 2 stays unused
  plugin.RemoveUnusedPresets();
  ASSERT_EQ(plugin.NPresets(), 2);
  EXPECT_STREQ(plugin.PresetName(1), "b");
}

TEST(PresetBank, ChunkLayoutIsNameLengthNameFlagAndStateOfInitialisedPresets) {
  StateTestPlugin plugin(StateTestConfig(9, 2));
  plugin.AddPresetFromState("Warm");
  IByteChunk bank;
  ASSERT_TRUE(plugin.WritePresets(bank));
  const IByteChunk state = StateOf(plugin);
  std::string expected("\x04\x00\x00\x00Warm\x01", 9);
  expected += Bytes(state);
  expected += std::string("\x05\x00\x00\x00"
                          "empty"
                          "\x00",
                          10);
  EXPECT_TRUE(Bytes(bank) == expected);
}

TEST(PresetBank, ReadingRestoresNamesFlagsAndValuesAndRecallsTheCurrentPreset) {
  StateTestPlugin source(StateTestConfig(9, 3));
  source.GetParam(5)->SetValue(10.0);
  source.AddPresetFromState("first");
  source.GetParam(5)->SetValue(90.0);
  source.AddPresetFromState("second");
  IByteChunk bank;
  source.WritePresets(bank);

  StateTestPlugin target(StateTestConfig(9, 3));
  target.FillEmptyPresets();
  EXPECT_EQ(target.ReadPresets(bank, 0), bank.Size());
  EXPECT_STREQ(target.PresetName(0), "first");
  EXPECT_STREQ(target.PresetName(1), "second");
  EXPECT_FALSE(target.GetPreset(2)->mInitialized);
  // The current preset (0) is recalled last.
  EXPECT_EQ(target.GetParam(5)->Value(), 10.0);
  EXPECT_TRUE(Bytes(target.GetPreset(1)->mChunk) == Bytes(source.GetPreset(1)->mChunk));
}

TEST(PresetBank, HostileLengthsEndTheBankWithoutTouchingMemoryOutside) {
  StateTestPlugin plugin(StateTestConfig(9, 2));
  const int32_t lengths[] = {0x7FFFFFFF, -1, 100};
  for (int32_t length : lengths) {
    IByteChunk bank;
    bank.Put(length);
    bank.PutBytes("abc", 3);
    EXPECT_EQ(plugin.ReadPresets(bank, 0), -1) << length;
    EXPECT_STREQ(plugin.PresetName(1), "empty");
  }
  IByteChunk noFlag;
  noFlag.Put(int32_t{3});
  noFlag.PutBytes("abc", 3);
  EXPECT_EQ(plugin.ReadPresets(noFlag, 0), -1);

  // A name with a zero inside is cut there; an empty name is allowed.
  IByteChunk odd;
  odd.Put(int32_t{4});
  odd.PutBytes("a\0bc", 4);
  odd.Put(uint8_t{1});
  odd.PutChunk(StateOf(plugin));
  odd.Put(int32_t{0});
  odd.Put(uint8_t{0});
  EXPECT_EQ(plugin.ReadPresets(odd, 0), odd.Size());
  EXPECT_STREQ(plugin.PresetName(0), "a");
  EXPECT_STREQ(plugin.PresetName(1), "");
  EXPECT_FALSE(plugin.GetPreset(1)->mInitialized);
}
