// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "TestDisplay.h"
#include "ToolCommand.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What a command was handed when it ran.
struct Call {
  bool ran = false;
  Display* display = nullptr;
  std::vector<std::string> args;
};

std::vector<ToolCommand> Commands(Call& call, int status = 0) {
  const auto record = [&call, status](Display* display, int count, char** args) {
    call.ran = true;
    call.display = display;
    call.args.assign(args, args + count);
    return status;
  };
  return {{"one", 1, 1, record}, {"some", 2, 3, record}};
}

int RunTool(std::vector<std::string> words, const std::vector<ToolCommand>& commands) {
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  return RunToolCommand(int(words.size()), argv.data(), commands, "usage\n");
}

// Restores DISPLAY after a test that points it elsewhere.
class DisplayVariable {
public:
  DisplayVariable() : had_(std::getenv("DISPLAY") != nullptr) {
    if (had_) value_ = std::getenv("DISPLAY");
  }
  ~DisplayVariable() {
    if (had_)
      setenv("DISPLAY", value_.c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

private:
  bool had_;
  std::string value_;
};

TEST(ToolCommand, RunsNothingWhenNoCommandFitsTheArguments) {
  Call call;
  const std::vector<ToolCommand> commands = Commands(call);
  EXPECT_EQ(RunTool({"tool"}, commands), 2);
  EXPECT_EQ(RunTool({"tool", "other", "a"}, commands), 2);
  EXPECT_EQ(RunTool({"tool", "one"}, commands), 2);
  EXPECT_EQ(RunTool({"tool", "one", "a", "b"}, commands), 2);
  EXPECT_EQ(RunTool({"tool", "some", "a"}, commands), 2);
  EXPECT_EQ(RunTool({"tool", "some", "a", "b", "c", "d"}, commands), 2);
  // A name is matched whole, not as a prefix.
  EXPECT_EQ(RunTool({"tool", "on", "a"}, commands), 2);
  EXPECT_FALSE(call.ran);
}

TEST(ToolCommand, FailsWithoutRunningWhenTheDisplayDoesNotOpen) {
  const DisplayVariable keep;
  setenv("DISPLAY", ":9876", 1);
  Call call;
  EXPECT_EQ(RunTool({"tool", "one", "a"}, Commands(call)), 1);
  EXPECT_FALSE(call.ran);
}

// On the X server the tests run under.
class ToolCommandOnX : public testing::Test {
protected:
  void SetUp() override { ASSERT_NE(TestDisplay(), nullptr) << "no X display to run on"; }
};

TEST_F(ToolCommandOnX, HandsTheArgumentsAndTheDisplayToTheCommandAndReturnsItsStatus) {
  Call call;
  EXPECT_EQ(RunTool({"tool", "some", "a", "b", "c"}, Commands(call, 7)), 7);
  ASSERT_TRUE(call.ran);
  EXPECT_NE(call.display, nullptr);
  EXPECT_EQ(call.args, (std::vector<std::string>{"a", "b", "c"}));

  Call least;
  EXPECT_EQ(RunTool({"tool", "some", "x", "y"}, Commands(least)), 0);
  EXPECT_EQ(least.args, (std::vector<std::string>{"x", "y"}));
}

// Xlib's own handler ends the process on an error about a window that is gone.
TEST_F(ToolCommandOnX, AWindowThatIsGoneIsNoErrorThatEndsTheTool) {
  const std::vector<ToolCommand> commands = {{"look", 0, 0, [](Display* display, int, char**) {
                                                XWindowAttributes attributes;
                                                const Window gone = 0x3fffffff;
                                                const int found = XGetWindowAttributes(
                                                    display, gone, &attributes);
                                                XDestroyWindow(display, gone);
                                                XSync(display, False);
                                                return found ? 1 : 5;
                                              }}};
  EXPECT_EQ(RunTool({"tool", "look"}, commands), 5);
}

} // namespace
