#include <gtest/gtest.h>

#include "MessagePump.h"
#include "Win32RunLoop.h"

#include <memory>

namespace {

TEST(Win32RunLoop, TimersFireWhileTheThreadDispatchesItsMessages) {
  Win32RunLoop loop;
  ASSERT_TRUE(loop.IsValid());
  int fast = 0, slow = 0;
  const auto fastId = loop.RegisterTimer(10, [&] { ++fast; });
  const auto slowId = loop.RegisterTimer(100, [&] { ++slow; });
  ASSERT_NE(fastId, EditorRunLoop::kNoId);
  ASSERT_NE(slowId, EditorRunLoop::kNoId);
  EXPECT_NE(fastId, slowId);
  EXPECT_EQ(loop.Timers(), 2u);
  // Nothing runs until the thread dispatches.
  Sleep(50);
  EXPECT_EQ(fast, 0);
  PumpMessages(400);
  EXPECT_GE(fast, 5);
  EXPECT_GE(slow, 1);
  EXPECT_LT(slow, fast);
}

TEST(Win32RunLoop, UnregisteredTimersNeverRunAgainEvenFromInsideTheirOwnCallback) {
  Win32RunLoop loop;
  int self = 0, other = 0;
  EditorRunLoop::Id selfId = EditorRunLoop::kNoId, otherId = EditorRunLoop::kNoId;
  selfId = loop.RegisterTimer(5, [&] {
    ++self;
    loop.Unregister(selfId);
    loop.Unregister(otherId);
  });
  otherId = loop.RegisterTimer(5, [&] { ++other; });
  PumpMessages(200);
  EXPECT_EQ(self, 1);
  const int otherAfterFirst = other;
  PumpMessages(100);
  EXPECT_EQ(self, 1);
  EXPECT_EQ(other, otherAfterFirst);
  EXPECT_EQ(loop.Timers(), 0u);
}

TEST(Win32RunLoop, DescriptorsEmptyCallbacksAndUnknownIdsAreRefusedHarmlessly) {
  Win32RunLoop loop;
  int calls = 0;
  EXPECT_EQ(loop.RegisterFileDescriptor(0, [&] { ++calls; }), EditorRunLoop::kNoId);
  EXPECT_EQ(loop.RegisterTimer(10, nullptr), EditorRunLoop::kNoId);
  loop.Unregister(EditorRunLoop::kNoId);
  loop.Unregister(12345);
  // A zero period still ticks rather than spin or fail.
  EXPECT_NE(loop.RegisterTimer(0, [&] { ++calls; }), EditorRunLoop::kNoId);
  PumpMessages(100);
  EXPECT_GT(calls, 0);
}

TEST(Win32RunLoop, ALoopThatIsGoneStopsItsTimers) {
  int calls = 0;
  {
    Win32RunLoop loop;
    loop.RegisterTimer(5, [&] { ++calls; });
  }
  PumpMessages(100);
  EXPECT_EQ(calls, 0);
  // Two loops on one thread keep their own timers apart.
  Win32RunLoop first, second;
  int a = 0, b = 0;
  first.RegisterTimer(5, [&] { ++a; });
  const auto id = second.RegisterTimer(5, [&] { ++b; });
  second.Unregister(id);
  PumpMessages(100);
  EXPECT_GT(a, 0);
  EXPECT_EQ(b, 0);
}

} // namespace
