#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <vector>

// One command of a conformance tool: its name on the command line, how many arguments may
// follow it, and what it does with them on the open display.
struct ToolCommand {
  const char* name;
  int fewest, most;
  std::function<int(Display* display, int count, char** args)> run;
};

// Runs the command that argv[1] names, when it is given a number of arguments it takes, on the
// X display that DISPLAY names. Windows come and go while a tool walks the tree: X errors about
// them are ignored while the command runs, so that a vanished window is simply not found.
// Returns the command's status; 2, after printing usage, when no command fits the arguments;
// 1 when the display does not open.
int RunToolCommand(int argc, char** argv, const std::vector<ToolCommand>& commands,
                   const char* usage);
