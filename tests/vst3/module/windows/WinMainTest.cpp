// The Windows module main compiled into this executable, with hooks that count their calls.
#include "ModuleMain.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {
int initCalls = 0;
int deinitCalls = 0;
bool initResult = true;
} // namespace

bool InitModule() {
  ++initCalls;
  return initResult;
}

bool DeinitModule() {
  ++deinitCalls;
  return true;
}

namespace {

class WinMain : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(ModuleMainHandleCount(), 0) << "a previous test left the module entered";
    // An executable's DllMain is not called by the loader: the test calls it as the loader
    // would for a DLL.
    ASSERT_TRUE(DllMain(GetModuleHandleW(nullptr), DLL_PROCESS_ATTACH, nullptr));
    initCalls = 0;
    deinitCalls = 0;
    initResult = true;
  }
};

TEST_F(WinMain, HooksRunAtFirstEntryAndLastExitOnly) {
  EXPECT_TRUE(InitDll());
  EXPECT_TRUE(InitDll());
  EXPECT_EQ(initCalls, 1);
  EXPECT_EQ(ModuleMainHandleCount(), 2);
  EXPECT_TRUE(ExitDll());
  EXPECT_EQ(deinitCalls, 0);
  EXPECT_TRUE(ExitDll());
  EXPECT_EQ(deinitCalls, 1);
  EXPECT_EQ(ModuleMainHandleCount(), 0);
}

TEST_F(WinMain, UnmatchedExitIsRefusedAndLeavesCountingIntact) {
  EXPECT_FALSE(ExitDll());
  EXPECT_EQ(deinitCalls, 0);
  EXPECT_TRUE(InitDll());
  EXPECT_EQ(initCalls, 1);
  EXPECT_TRUE(ExitDll());
  EXPECT_EQ(deinitCalls, 1);
  EXPECT_FALSE(ExitDll());
}

TEST_F(WinMain, AFailedInitialisationReachesTheHost) {
  initResult = false;
  EXPECT_FALSE(InitDll());
  EXPECT_TRUE(ExitDll());
  EXPECT_EQ(deinitCalls, 1);
}

TEST_F(WinMain, HandleIsTheInstanceTheLoaderGave) {
  EXPECT_EQ(ModuleMainHandle(), static_cast<void*>(GetModuleHandleW(nullptr)));
}

TEST_F(WinMain, PathIsTheLoadedFileOutsideAnyBundle) {
  ASSERT_TRUE(InitDll());
  wchar_t own[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
  ASSERT_GT(length, 0u);
  std::wstring expected(own, length);
  for (wchar_t& c : expected)
    if (c == L'\\') c = L'/';
  const std::string path = ModuleMainPath();
  EXPECT_EQ(std::wstring(path.begin(), path.end()), expected) << path;
  EXPECT_STREQ(ModuleMainBundlePath(), "");
  EXPECT_STREQ(ModuleMainResourcePath(), "");
  EXPECT_TRUE(ExitDll());
}

} // namespace
