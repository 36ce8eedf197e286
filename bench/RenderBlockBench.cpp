#include "KernelPaths.h"
#include "ReferenceKernel.h"
#include "SaturationChain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

// The signal chain on every kernel path this CPU runs, against the reference kernel, side by side
// in one run. Each result reports its real-time factor and, for the paths, "vs_reference": how many
// times faster than the reference at the same oversampling, measured just before. Compare within
// one run only, since the machine's load moves every figure.
namespace {

constexpr double kSampleRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kBlocksInSignal = 94; // about one second of audio, cycled

// Stereo noise plus a sine at a hot level, so every stage of the chain works.
std::vector<double> NoisySine(int n, double hz, std::uint32_t seed) {
  std::vector<double> s(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed) / 4294967296.0 - 0.5;
    s[i] = 0.7 * std::sin(2.0 * 3.14159265358979 * hz * i / kSampleRate) + 0.2 * noise;
  }
  return s;
}

struct Signal {
  std::vector<double> left = NoisySine(kBlock * kBlocksInSignal, 110.0, 1u);
  std::vector<double> right = NoisySine(kBlock * kBlocksInSignal, 165.0, 2u);
};

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// CPU seconds per block of the reference at each oversampling setting, from its latest run. The
// library runs benchmarks one after another in registration order, each reference before its
// paths, and its last run of a benchmark is the one it reports.
std::array<double, 4> referenceSecondsPerBlock{};

// Renders one 512-sample stereo block per iteration, cycling through the signal; returns the
// CPU seconds per block.
template <typename Render> double RunBlocks(benchmark::State& state, Render render) {
  static const Signal signal;
  std::vector<double> outL(kBlock), outR(kBlock);
  double* outputs[2] = {outL.data(), outR.data()};
  int block = 0;
  const double start = ThreadSeconds();
  for (auto _ : state) {
    double* inputs[2] = {const_cast<double*>(signal.left.data()) + block * kBlock,
                         const_cast<double*>(signal.right.data()) + block * kBlock};
    render(inputs, outputs);
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
    block = (block + 1) % kBlocksInSignal;
  }
  const double secondsPerBlock =
      (ThreadSeconds() - start) /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
  // Seconds of audio rendered per second of CPU time.
  state.counters["realtime_factor"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kBlock / kSampleRate, benchmark::Counter::kIsRate);
  return secondsPerBlock;
}

void Reference(benchmark::State& state, int osIndex) {
  ReferenceKernel kernel(kSampleRate, [n = 1u]() mutable { return n++; });
  kernel.SetParam(kOversampling, osIndex);
  referenceSecondsPerBlock[osIndex] =
      RunBlocks(state, [&](double** in, double** out) { kernel.RenderBlock(in, out, kBlock); });
}

void Chain(benchmark::State& state, int osIndex, std::int64_t path) {
  kelvora::UseKernelPath(path);
  // The chain as the effect drives it: a new effect's parameter values, stereo outputs.
  SaturationChain chain;
  SaturationChain::ParamValues params = kDefaultParamValues;
  params[kOversampling] = static_cast<double>(osIndex);
  constexpr int kStereo = 2;
  chain.Reset(kSampleRate, kStereo);
  chain.SetSeedSource([n = 1u]() mutable { return n++; });
  const double secondsPerBlock = RunBlocks(state, [&](double** in, double** out) {
    chain.RenderBlock(params, kSampleRate, kStereo, in, out, kBlock);
  });
  if (secondsPerBlock > 0.0 && referenceSecondsPerBlock[osIndex] > 0.0)
    state.counters["vs_reference"] = referenceSecondsPerBlock[osIndex] / secondsPerBlock;
  kelvora::UseKernelPath(0);
}

// Registered oversampling setting by setting: the reference first, then each path, so that
// neighbouring results were measured close together in time.
const bool kRegistered = [] {
  for (int os = 0; os < 4; ++os) {
    const std::string factor = std::to_string(1 << os) + "x/";
    benchmark::RegisterBenchmark((factor + "reference").c_str(), Reference, os)
        ->Unit(benchmark::kMicrosecond);
    for (const kelvora::KernelPath& path : kelvora::AvailableKernelPaths())
      benchmark::RegisterBenchmark((factor + path.name).c_str(), Chain, os, path.target)
          ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

} // namespace
