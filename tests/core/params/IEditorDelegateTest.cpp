#include "IEditorDelegate.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {
// A delegate without host or editor that records the hooks it sees.
class RecordingDelegate : public IEditorDelegate {
public:
  explicit RecordingDelegate(int nParams) : IEditorDelegate(nParams) {}

  void BeginParamEditFromEditor(int) override {}
  void EndParamEditFromEditor(int) override {}
  IGraphics* MakeGraphics() override { return nullptr; }
  void BuildLayout(IGraphics*) override {}

  void ParamIndexChangeHook(int paramIdx) override {
    mEvents.push_back("index " + std::to_string(paramIdx));
  }
  void EditorParamChangeHook(int paramIdx, ParamChangeSource source) override {
    mEvents.push_back("editor " + std::to_string(paramIdx) + " " + std::to_string(source));
  }
  bool MessageHook(int msgTag, int ctrlTag, int dataSize, const void*) override {
    mEvents.push_back("message " + std::to_string(msgTag) + " " + std::to_string(ctrlTag) + " " +
                      std::to_string(dataSize));
    return true;
  }
  void EditorMidiHook(const IMidiMsg& msg) override { mMidi.push_back(msg); }

  std::vector<std::string> mEvents;
  std::vector<IMidiMsg> mMidi;
};
} // namespace

TEST(IEditorDelegate, OwnsOneParameterPerIndex) {
  RecordingDelegate delegate(9);
  EXPECT_EQ(delegate.NParams(), 9);
  ASSERT_NE(delegate.GetParam(8), nullptr);
  EXPECT_NE(delegate.GetParam(0), delegate.GetParam(1));
  EXPECT_EQ(delegate.GetParam(0)->Type(), IParam::kTypeNone);
  EXPECT_EQ(delegate.GetParam(9), nullptr);
  EXPECT_EQ(delegate.GetParam(-1), nullptr);
  const RecordingDelegate& constDelegate = delegate;
  EXPECT_EQ(constDelegate.GetParam(9), nullptr);

  RecordingDelegate none(-3);
  EXPECT_EQ(none.NParams(), 0);
}

TEST(IEditorDelegate, EditorSettingsComeFromTheConfigurationOrdered) {
  Config config{};
  config.plugHasUI = true;
  config.plugHostResize = true;
  config.plugWidth = 1630;
  config.plugHeight = 1010;
  config.plugMinWidth = 3260;
  config.plugMaxWidth = 815;
  config.plugMinHeight = 505;
  config.plugMaxHeight = 2020;
  RecordingDelegate delegate(0);
  delegate.ConfigureEditor(config);
  EXPECT_TRUE(delegate.HasUI());
  EXPECT_TRUE(delegate.GetHostResizeEnabled());
  EXPECT_EQ(delegate.GetEditorWidth(), 1630);
  EXPECT_EQ(delegate.GetEditorHeight(), 1010);
  EXPECT_EQ(delegate.GetMinWidth(), 815);
  EXPECT_EQ(delegate.GetMaxWidth(), 3260);
  EXPECT_EQ(delegate.GetMinHeight(), 505);
  EXPECT_EQ(delegate.GetMaxHeight(), 2020);
}

TEST(IEditorDelegate, AnnounceAllParamsVisitsBothHooksInIndexOrder) {
  RecordingDelegate delegate(2);
  delegate.AnnounceAllParams(kSourcePresetRecall);
  EXPECT_EQ(delegate.mEvents,
            (std::vector<std::string>{"index 0", "editor 0 2", "index 1", "editor 1 2"}));
}

TEST(IEditorDelegate, OpeningAndRestoringSendEveryValueFromTheDelegate) {
  RecordingDelegate delegate(2);
  EXPECT_EQ(delegate.OpenEditor(nullptr), nullptr);
  delegate.StateRestoredHook();
  EXPECT_EQ(delegate.mEvents,
            (std::vector<std::string>{"editor 0 4", "editor 1 4", "editor 0 4", "editor 1 4"}));
}

TEST(IEditorDelegate, SetParamFromEditorStoresTheSteppedValue) {
  RecordingDelegate delegate(1);
  delegate.GetParam(0)->DefineDouble("Oversampling", 0.0, 0.0, 3.0, 1.0, "", IParam::FlagStepped);
  delegate.SetParamFromEditor(0, 0.55);
  EXPECT_EQ(delegate.GetParam(0)->Value(), 2.0);
  EXPECT_EQ(delegate.mEvents, (std::vector<std::string>{"editor 0 3"}));

  delegate.SetParamFromEditor(5, 0.5);
  delegate.SetParamFromEditor(0, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(delegate.GetParam(0)->Value(), 2.0);
}

TEST(IEditorDelegate, MessagesAndMidiReachTheirHooks) {
  RecordingDelegate delegate(0);
  delegate.SendControlMessageToEditor(7, 3, 16, nullptr);
  delegate.SendMessageToEditor(4, 0, nullptr);
  EXPECT_EQ(delegate.mEvents, (std::vector<std::string>{"message 3 7 16", "message 4 -1 0"}));
  delegate.SendMidiToEditor(IMidiMsg(0, 0x90, 64, 1));
  ASSERT_EQ(delegate.mMidi.size(), 1u);
  EXPECT_EQ(delegate.mMidi[0].mData1, 64);
}

TEST(IEditorDelegate, DefaultsWithoutHostOrEditor) {
  RecordingDelegate delegate(0);
  IByteChunk chunk;
  EXPECT_TRUE(delegate.WriteEditorState(chunk));
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(delegate.ReadEditorState(chunk, 12), 12);
  EXPECT_FALSE(delegate.ResizeFromEditor(100, 100, true));
}

TEST(ISysEx, LongDataIsCutAndMissingDataIsZero) {
  std::vector<uint8_t> data(600, 0xF7);
  const ISysEx cut(5, data.data(), 600);
  EXPECT_EQ(cut.mSize, 512);
  EXPECT_EQ(cut.mData[511], 0xF7);
  const ISysEx empty(0, nullptr, 20);
  EXPECT_EQ(empty.mSize, 20);
  EXPECT_EQ(empty.mData[0], 0);
}
