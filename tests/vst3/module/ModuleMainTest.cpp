// The module main compiled into this executable, with hooks that count their calls.
#include "ModuleMain.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

namespace {
int initCalls = 0;
int deinitCalls = 0;
} // namespace

bool InitModule() {
  ++initCalls;
  return true;
}

bool DeinitModule() {
  ++deinitCalls;
  return true;
}

namespace {

class ModuleMain : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(ModuleMainHandleCount(), 0) << "a previous test left the module entered";
    initCalls = 0;
    deinitCalls = 0;
  }
  int handleA = 0;
  int handleB = 0;
};

TEST_F(ModuleMain, HooksRunAtFirstEntryAndLastExitOnly) {
  EXPECT_TRUE(ModuleEntry(&handleA));
  EXPECT_TRUE(ModuleEntry(&handleB));
  EXPECT_EQ(initCalls, 1);
  EXPECT_EQ(ModuleMainHandleCount(), 2);

  EXPECT_TRUE(ModuleExit());
  EXPECT_EQ(deinitCalls, 0);
  EXPECT_EQ(ModuleMainHandleCount(), 2);

  EXPECT_TRUE(ModuleExit());
  EXPECT_EQ(deinitCalls, 1);
  EXPECT_EQ(ModuleMainHandleCount(), 0);
}

TEST_F(ModuleMain, UnmatchedExitIsRefusedAndLeavesCountingIntact) {
  EXPECT_FALSE(ModuleExit());
  EXPECT_EQ(deinitCalls, 0);

  // The refused exit must not have pushed the count below zero: the next entry is a first one.
  EXPECT_TRUE(ModuleEntry(&handleA));
  EXPECT_EQ(initCalls, 1);
  EXPECT_TRUE(ModuleExit());
  EXPECT_EQ(deinitCalls, 1);
  EXPECT_FALSE(ModuleExit());
}

TEST_F(ModuleMain, NullHandleSucceedsWithoutCounting) {
  EXPECT_TRUE(ModuleEntry(nullptr));
  EXPECT_EQ(initCalls, 0);
  EXPECT_EQ(ModuleMainHandleCount(), 0);
  EXPECT_FALSE(ModuleExit());
}

TEST_F(ModuleMain, FirstHandleStaysTheModuleHandle) {
  void* const before = ModuleMainHandle();
  ASSERT_TRUE(ModuleEntry(&handleA));
  ASSERT_TRUE(ModuleEntry(&handleB));
  EXPECT_EQ(ModuleMainHandle(), before ? before : &handleA);
  EXPECT_TRUE(ModuleExit());
  EXPECT_TRUE(ModuleExit());
  EXPECT_EQ(ModuleMainHandle(), before ? before : &handleA);
}

TEST_F(ModuleMain, PathIsTheLoadedObjectOutsideAnyBundle) {
  ASSERT_TRUE(ModuleEntry(&handleA));
  char self[PATH_MAX];
  ASSERT_NE(realpath("/proc/self/exe", self), nullptr);
  EXPECT_EQ(std::string(ModuleMainPath()), self);
  EXPECT_STREQ(ModuleMainBundlePath(), "");
  EXPECT_STREQ(ModuleMainResourcePath(), "");
  EXPECT_TRUE(ModuleExit());
}

} // namespace
