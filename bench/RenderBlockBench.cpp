#include "Kelvora.h"
#include "KelvoraKernel.h"
#include "ReferenceKernel.h"

#include "pluginterfaces/base/smartpointer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// Every kernel path this CPU runs against the reference kernel, side by side in one run. Each
// result reports its real-time factor; compare factors within one run only, since the machine's
// load moves them all.
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

// Renders one 512-sample stereo block per iteration, cycling through the signal.
template <typename Render> void RunBlocks(benchmark::State& state, Render render) {
  static const Signal signal;
  std::vector<double> outL(kBlock), outR(kBlock);
  double* outputs[2] = {outL.data(), outR.data()};
  int block = 0;
  for (auto _ : state) {
    double* inputs[2] = {const_cast<double*>(signal.left.data()) + block * kBlock,
                         const_cast<double*>(signal.right.data()) + block * kBlock};
    render(inputs, outputs);
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
    block = (block + 1) % kBlocksInSignal;
  }
  // Seconds of audio rendered per second of CPU time.
  state.counters["realtime_factor"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kBlock / kSampleRate, benchmark::Counter::kIsRate);
}

void Reference(benchmark::State& state, int osIndex) {
  ReferenceKernel kernel(kSampleRate, [n = 1u]() mutable { return n++; });
  kernel.SetParam(kOversampling, osIndex);
  RunBlocks(state, [&](double** in, double** out) { kernel.RenderBlock(in, out, kBlock); });
}

void Effect(benchmark::State& state, int osIndex, std::int64_t path) {
  kelvora::UseKernelPath(path);
  // The effect is reference counted, as hosts hold it.
  Steinberg::IPtr<Kelvora> instance = Steinberg::owned(new Kelvora(InstanceInfo{}));
  Kelvora& effect = *instance;
  effect.SetSampleRate(kSampleRate);
  effect.ResetProcessing();
  effect.SetSeedSource([n = 1u]() mutable { return n++; });
  effect.GetParam(kOversampling)->SetValue(static_cast<double>(osIndex));
  RunBlocks(state, [&](double** in, double** out) { effect.RenderBlock(in, out, kBlock); });
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
      benchmark::RegisterBenchmark((factor + path.name).c_str(), Effect, os, path.target)
          ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

} // namespace
