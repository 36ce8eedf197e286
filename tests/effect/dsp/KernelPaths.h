#pragma once

#include <cstdint>
#include <vector>

// Runs the kernel on a variant of the caller's choice, for the tests and the benchmark. Kept out
// of the plug-in, which always runs the best variant its CPU offers.
namespace kelvora {

// One compiled variant of the kernel.
struct KernelPath {
  std::int64_t target;
  const char* name;
};

// The variants this CPU can run, best first. Not for the audio thread.
std::vector<KernelPath> AvailableKernelPaths();

// Makes every later block run one of those variants; 0, or a target that is not among them, goes
// back to the best. Never while a block is rendering.
void UseKernelPath(std::int64_t target);

} // namespace kelvora
