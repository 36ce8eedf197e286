#include "ToolCommand.h"

#include <cstdio>
#include <cstring>

namespace {

int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

const ToolCommand* Find(int argc, char** argv, const std::vector<ToolCommand>& commands) {
  if (argc < 2) return nullptr;
  const int count = argc - 2;
  for (const ToolCommand& command : commands) {
    if (std::strcmp(argv[1], command.name) != 0) continue;
    return count >= command.fewest && count <= command.most ? &command : nullptr;
  }
  return nullptr;
}

} // namespace

int RunToolCommand(int argc, char** argv, const std::vector<ToolCommand>& commands,
                   const char* usage) {
  const ToolCommand* command = Find(argc, argv, commands);
  if (!command) {
    std::fputs(usage, stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 1;
  }
  const auto previous = XSetErrorHandler(IgnoreErrors);
  const int status = command->run(display, argc - 2, argv + 2);
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return status;
}
