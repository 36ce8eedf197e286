#include "StatePluginFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

TEST(HostIdentification, FirstKeyInTheLowerCasedNameDecides) {
  const struct {
    const char* name;
    int identifier;
  } cases[] = {{"REAPER", 1},
               {"Cubase Pro 12", 3},
               {"Bitwig Studio 5", 34},
               {"WaveLab Elements 11", 32},
               {"WaveLab Pro", 31},
               {"Live 11", 9},
               {"Ardour", 28},
               {"Blue Cat's VST Host", 44},
               {"iZotope RX", 42},
               {"Standalone", 24},
               {"www.example", 35},
               {"Audiomulch", 25},
               {"Digital Performer", 23},
               {"Carla", 0},
               {"", 0}};
  for (const auto& c : cases) {
    StateTestPlugin plugin;
    EXPECT_EQ(plugin.GetHost(), -1);
    plugin.IdentifyHost(c.name, 0x00020100);
    EXPECT_EQ(plugin.GetHost(), c.identifier) << c.name;
    EXPECT_EQ(plugin.GetHostVersion(true), 20100);
    EXPECT_EQ(plugin.Calls("host identified").size(), 1u);
  }
  StateTestPlugin plugin;
  plugin.IdentifyHost(nullptr, 0);
  EXPECT_EQ(plugin.GetHost(), 0);
}

TEST(ApiBase, TakesEditorSettingsAndApiFromTheConfiguration) {
  StateTestPlugin plugin;
  EXPECT_EQ(plugin.GetAPI(), 1);
  EXPECT_TRUE(plugin.HasUI());
  EXPECT_TRUE(plugin.GetHostResizeEnabled());
  EXPECT_EQ(plugin.GetEditorWidth(), 1630);
  EXPECT_EQ(plugin.GetMinWidth(), 815);
  EXPECT_EQ(plugin.GetMaxWidth(), 3260);
  EXPECT_EQ(plugin.GetMaxHeight(), 2020);
  EXPECT_FALSE(plugin.DoesStateChunks());
}

TEST(ApiBase, EditorGestureReachesTheHostAndBothHooksWithTheStoredValue) {
  StateTestPlugin plugin;
  plugin.BeginParamEditFromEditor(5);
  plugin.SetParamFromEditor(5, 0.25);
  plugin.EndParamEditFromEditor(5);
  const std::vector<std::string> expected = {"begin 5", "perform 5 0.250000 now 25.000000",
                                             "change 5 3 -1", "editor 5 3", "end 5"};
  EXPECT_EQ(plugin.log, expected);
  EXPECT_EQ(plugin.GetParam(5)->Value(), 25.0);
}

TEST(ApiBase, EditorValuesThatAreNoNumbersOrNoParameterDoNothing) {
  StateTestPlugin plugin;
  plugin.SetParamFromEditor(5, std::numeric_limits<double>::quiet_NaN());
  plugin.SetParamFromEditor(9, 0.5);
  plugin.SetParamFromEditor(-1, 0.5);
  EXPECT_TRUE(plugin.log.empty());
  EXPECT_EQ(plugin.GetParam(5)->Value(), 50.0);
}

TEST(ApiBase, AnnouncesEveryNormalisedValueToTheHost) {
  StateTestPlugin plugin;
  plugin.AnnounceAllParamsToHost();
  const auto edits = plugin.Calls("perform ");
  ASSERT_EQ(edits.size(), 9u);
  EXPECT_EQ(edits[4], "perform 4 0.160000 now 32.000000");
}

TEST(ApiBase, ResizeAsksTheHostOnlyWhenThePlatformViewMustChange) {
  StateTestPlugin plugin;
  EXPECT_TRUE(plugin.ResizeFromEditor(800, 600, false));
  EXPECT_TRUE(plugin.log.empty());
  EXPECT_TRUE(plugin.ResizeFromEditor(800, 600, true));
  EXPECT_EQ(plugin.log.back(), "resize 800x600");
  plugin.SendMessageFromEditor(7, 3, 0, nullptr);
  EXPECT_EQ(plugin.log.back(), "message 7 3");
}

TEST(ApiBase, EditorMidiQueueKeepsThirtyTwoMessagesInOrder) {
  StateTestPlugin plugin;
  for (int i = 0; i < 33; ++i)
    plugin.SendMidiFromEditor(IMidiMsg(i, 0x90, static_cast<uint8_t>(i), 100));
  IMidiMsg msg;
  for (int i = 0; i < 32; ++i) {
    ASSERT_TRUE(plugin.PopMidiMsgFromEditor(msg));
    EXPECT_EQ(msg.mOffset, i);
  }
  EXPECT_FALSE(plugin.PopMidiMsgFromEditor(msg));
}

TEST(ApiBase, SysExFromTheEditorIsCutTo512BytesAndFourWait) {
  StateTestPlugin plugin;
  std::vector<uint8_t> data(600);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<uint8_t>(i);
  plugin.QueueSysExFromEditor(12, 600, data.data());
  ISysEx small(3, data.data(), 2);
  plugin.SendSysExFromEditor(small);
  plugin.QueueSysExFromEditor(0, 10, nullptr);
  plugin.QueueSysExFromEditor(0, 1, data.data());
  plugin.QueueSysExFromEditor(0, 1, data.data()); // fifth: dropped

  ISysEx record;
  ASSERT_TRUE(plugin.PopSysExFromEditor(record));
  EXPECT_EQ(record.mOffset, 12);
  EXPECT_EQ(record.mSize, 512);
  EXPECT_EQ(record.mData[511], static_cast<uint8_t>(511));
  ASSERT_TRUE(plugin.PopSysExFromEditor(record));
  EXPECT_EQ(record.mOffset, 3);
  EXPECT_EQ(record.mSize, 2);
  ASSERT_TRUE(plugin.PopSysExFromEditor(record));
  EXPECT_EQ(record.mSize, 10);
  EXPECT_EQ(record.mData[0], 0);
  ASSERT_TRUE(plugin.PopSysExFromEditor(record));
  EXPECT_FALSE(plugin.PopSysExFromEditor(record));
}

TEST(ApiBase, ParametersQueuedFromTheProcessorAreRealValues) {
  StateTestPlugin plugin;
  plugin.QueueParamFromProcessor(4, 0.5, true);
  plugin.QueueParamFromProcessor(4, 150.0, false);
  plugin.QueueParamFromProcessor(40, 0.5, true);
  plugin.QueueParamFromProcessor(4, std::nan(""), false);
  ParamTuple tuple;
  ASSERT_TRUE(plugin.PopParamFromProcessor(tuple));
  EXPECT_EQ(tuple.idx, 4);
  EXPECT_EQ(tuple.value, 100.0);
  ASSERT_TRUE(plugin.PopParamFromProcessor(tuple));
  EXPECT_EQ(tuple.value, 150.0);
  EXPECT_FALSE(plugin.PopParamFromProcessor(tuple));
}

TEST(ApiBase, CompareParamValuesAllowsSinglePrecisionNoise) {
  StateTestPlugin plugin;
  std::vector<double> values = {7.0};
  for (int i = 0; i < 9; ++i)
    values.push_back(plugin.GetParam(i)->Value() + 1e-6);
  EXPECT_TRUE(plugin.CompareParamValues(values.data(), 10, 1));
  values[5] += 1e-3;
  EXPECT_FALSE(plugin.CompareParamValues(values.data(), 10, 1));
  EXPECT_FALSE(plugin.CompareParamValues(values.data(), 9, 1));
  EXPECT_FALSE(plugin.CompareParamValues(nullptr, 10, 0));
}

TEST(ApiBase, HostChannelContextDefaultsAreEmpty) {
  StateTestPlugin plugin;
  int r = 1, g = 1, b = 1;
  plugin.TrackColour(r, g, b);
  EXPECT_EQ(r + g + b, 0);
  std::string name = "kept";
  plugin.TrackName(name);
  EXPECT_EQ(name, "kept");
  EXPECT_EQ(plugin.TrackIndex(), 0);
  EXPECT_EQ(plugin.TrackNamespaceIndex(), 0);
  EXPECT_EQ(plugin.EditorContext(), nullptr);
}
