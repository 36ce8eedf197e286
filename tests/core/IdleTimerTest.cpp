#include "StatePluginFixture.h"
#include "Timer.h"

#include <gtest/gtest.h>

TEST(Timer, CallsItsFunctionOnlyWhileRunning) {
  int ticks = 0;
  auto timer = Timer::Create([&](Timer&) { ++ticks; }, 20);
  EXPECT_TRUE(timer->IsRunning());
  EXPECT_EQ(timer->IntervalMs(), 20u);
  timer->Tick();
  timer->Stop();
  timer->Tick();
  EXPECT_EQ(ticks, 1);
  timer->Start();
  timer->Tick();
  EXPECT_EQ(ticks, 2);
}

TEST(Timer, MayStopItselfFromItsOwnTick) {
  int ticks = 0;
  auto timer = Timer::Create(
      [&](Timer& self) {
        ++ticks;
        self.Stop();
      },
      20);
  timer->Tick();
  timer->Tick();
  EXPECT_EQ(ticks, 1);
}

TEST(IdleTimer, RunsEveryTwentyMillisecondsAndDrainsTheProcessorQueuesToTheEditor) {
  StateTestPlugin plugin;
  EXPECT_EQ(plugin.GetTimer(), nullptr);
  plugin.CreateTimer();
  Timer* timer = plugin.GetTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->IntervalMs(), 20u);

  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(plugin.TransmitMidiMsgFromProcessor(IMidiMsg(i, 0xB0, 7, 64)));
  const uint8_t bytes[] = {0xF0, 0x7E, 0xF7};
  EXPECT_TRUE(plugin.TransmitSysExFromProcessor(ISysEx(5, bytes, 3)));
  timer->Tick();
  ASSERT_EQ(plugin.midiToEditor.size(), 3u);
  EXPECT_EQ(plugin.midiToEditor[2].mOffset, 2);
  ASSERT_EQ(plugin.sysExToEditor.size(), 1u);
  EXPECT_EQ(plugin.sysExToEditor[0].mSize, 3);
  EXPECT_EQ(plugin.sysExToEditor[0].mData[1], 0x7E);
  EXPECT_EQ(plugin.idleCalls, 1);

  timer->Tick();
  EXPECT_EQ(plugin.midiToEditor.size(), 3u);
  EXPECT_EQ(plugin.idleCalls, 2);
}

TEST(IdleTimer, WithoutAnEditorCallsOnlyTheIdleHookAndLeavesTheQueues) {
  Config config = StateTestConfig();
  config.plugHasUI = false;
  StateTestPlugin plugin(config);
  plugin.CreateTimer();
  plugin.TransmitMidiMsgFromProcessor(IMidiMsg(0, 0x90, 60, 100));
  for (int i = 0; i < 5; ++i)
    plugin.GetTimer()->Tick();
  EXPECT_EQ(plugin.idleCalls, 5);
  EXPECT_TRUE(plugin.midiToEditor.empty());
}
