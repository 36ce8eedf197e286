#pragma once

#include "RenderOptions.h"

#include <string>
#include <vector>

// What the kelvora-analyze command line asked for. The effect, its parameters and the seed are
// given as kelvora-render takes them; the output is a folder.
struct AnalyzeOptions {
  RenderOptions render;          // render.outputPath is the output folder
  std::vector<std::string> only; // measurements to run; empty: all of them
  bool plots = true;
};

// The measurements by the names --only takes, in the order they run.
const std::vector<std::string>& MeasurementNames();

// Parses argv; false and a reason on a malformed command line.
bool ParseAnalyzeOptions(int argc, const char* const* argv, AnalyzeOptions& out,
                         std::string& error);

bool Wants(const AnalyzeOptions& options, const std::string& measurement);

// The text --help prints.
std::string AnalyzeUsage(const char* program);
