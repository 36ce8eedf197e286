#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the command line asked for.
struct RenderOptions {
  std::string inputPath; // empty: the built-in demo
  std::string outputPath = "kelvora-demo.wav";
  std::vector<std::pair<std::string, double>> params; // "Name=value", in order
  std::optional<std::uint32_t> seed;
  int blockSize = 512;
  std::string pluginPath; // empty: the first bundle that BundleCandidates names
  bool direct = false;    // the effect linked in, without the module
  bool help = false;
  bool listParams = false;
};

// Parses argv; false and a reason on a malformed command line.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& out, std::string& error);

// The text --help prints.
std::string RenderUsage(const char* program);

// The --help lines of the options that pick and drive the effect, which kelvora-analyze passes
// on to ParseRenderOptions as they stand.
std::string EffectOptionsHelp();
