// kelvora-win-host: a small Windows host of the Kelvora module, run under Wine by
// scripts/check-windows-host.sh. It renders the demo through the module as kelvora-render
// does on Linux, and opens the editor in a window of its own to photograph it and drag knobs.
#include "Commands.h"
#include "WideText.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace {

int Usage() {
  std::fprintf(stderr, "usage: kelvora-win-host render BUNDLE OUT.wav [--programme] "
                       "[\"Name=value\" ...] [--block N]\n"
                       "       kelvora-win-host demo OUT.wav [--programme]\n"
                       "       kelvora-win-host editor BUNDLE OUT.png [--reference PICTURE.png] "
                       "[--hold FILE]\n"
                       "BUNDLE is a Kelvora.vst3 folder; files are written as given.\n");
  return 2;
}

// The command line as UTF-8 words: main's own arguments are in the ANSI code page.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; words && i < count; ++i)
    args.push_back(Utf8FromWide(words[i]));
  LocalFree(words);
  return args;
}

} // namespace

int main() {
  // The check script reads the output while the host still runs, in lines as Linux ends them.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  try {
    std::vector<std::string> args = Arguments();
    if (args.empty()) return Usage();
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "render") return RunRender(args);
    if (command == "demo") return RunDemo(args);
    if (command == "editor") return RunEditor(args);
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvora-win-host: %s\n", e.what());
    return 1;
  }
}
