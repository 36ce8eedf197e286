#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
  int status = -1; // the exit status, or 128 + the signal that ended the host
  std::string output;
};

// Runs the teardown host in the given order as a child process: a crash there ends the
// child, not this test program.
Outcome RunHost(const std::string& order) {
  Outcome outcome;
  const std::string command = std::string(KELVORA_HOST_TEARDOWN) + " " + order + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    outcome.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

// The connection stays open while the child runs: an X server without clients may reset
// and refuse the next one for a moment.
class HostTeardownTest : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
  }
  void TearDown() override {
    if (mDisplay) XCloseDisplay(mDisplay);
  }
  Display* mDisplay = nullptr;
};

// Each order ends the host with status 0 and without a word from the allocator, the
// sanitizers or Xlib.
TEST_P(HostTeardownTest, HostEndsCleanly) {
  const Outcome outcome = RunHost(GetParam());
  EXPECT_EQ(outcome.status, 0) << outcome.output;
  EXPECT_EQ(outcome.output.find("X Error"), std::string::npos) << outcome.output;
  EXPECT_EQ(outcome.output.find("free"), std::string::npos) << outcome.output;
}

INSTANTIATE_TEST_SUITE_P(Orders, HostTeardownTest,
                         ::testing::Values("close-at-exit", "release-at-exit",
                                           "close-after-module-exit", "parent-destroyed"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name;
                           for (const char* c = info.param; *c; ++c)
                             if (*c != '-') name += *c;
                           return name;
                         });

} // namespace
