#pragma once

#include <string>
#include <vector>

// The desktop's own programs (xdg-open, zenity, kdialog) run on behalf of the editor.
namespace ExternalTools {

// Whether an executable of that name is on PATH.
bool IsInstalled(const char* name);

struct Result {
  bool ran = false;   // the program could be started and ended normally
  int exitCode = -1;  // its exit status when it ran
  std::string output; // its standard output, trailing newlines removed
};

// Runs argv[0] from PATH and waits for it (modal dialogs); standard error is discarded.
Result Run(const std::vector<std::string>& argv);

// Starts argv[0] from PATH without waiting for it and without leaving a zombie behind.
// True when it was started.
bool Launch(const std::vector<std::string>& argv);

} // namespace ExternalTools
