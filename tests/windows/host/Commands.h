#pragma once

#include <string>
#include <vector>

// The host's commands; each takes the words after its name and returns the exit status.

// render BUNDLE OUT.wav [--programme] ["Name=value" ...] [--block N]: the built-in demo (or the
// Linux hosts' 0.6 s programme) through the bundle's module, as kelvora-render renders it.
int RunRender(std::vector<std::string> args);

// demo OUT.wav [--programme]: that input itself, the one the renders are checked against.
int RunDemo(std::vector<std::string> args);

// editor BUNDLE OUT.png [--reference PICTURE.png] [--hold FILE]: the editor in a window of the
// host's own, photographed, and knobs dragged with window messages.
int RunEditor(const std::vector<std::string>& args);
