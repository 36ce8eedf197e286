#include "Kelvora.h"

#include "pluginterfaces/base/smartpointer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

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

// One iteration renders one 512-sample stereo block at the given "Oversampling" index.
void RenderBlock(benchmark::State& state) {
  // The effect is reference counted, as hosts hold it.
  Steinberg::IPtr<Kelvora> instance = Steinberg::owned(new Kelvora(InstanceInfo{}));
  Kelvora& effect = *instance;
  effect.SetSampleRate(kSampleRate);
  effect.ResetProcessing();
  effect.SetSeedSource([n = 1u]() mutable { return n++; });
  effect.GetParam(kOversampling)->SetValue(static_cast<double>(state.range(0)));

  const int total = kBlock * kBlocksInSignal;
  std::vector<double> inL = NoisySine(total, 110.0, 1u), inR = NoisySine(total, 165.0, 2u);
  std::vector<double> outL(kBlock), outR(kBlock);
  double* outputs[2] = {outL.data(), outR.data()};

  int block = 0;
  for (auto _ : state) {
    double* inputs[2] = {inL.data() + block * kBlock, inR.data() + block * kBlock};
    effect.RenderBlock(inputs, outputs, kBlock);
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
    block = (block + 1) % kBlocksInSignal;
  }
  // Seconds of audio rendered per second of CPU time.
  state.counters["realtime_factor"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kBlock / kSampleRate, benchmark::Counter::kIsRate);
  state.SetLabel(std::to_string(1 << state.range(0)) + "x oversampling");
}

BENCHMARK(RenderBlock)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace
