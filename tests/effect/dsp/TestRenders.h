#pragma once

#include "SaturationChain.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Signals and block-by-block renders shared by the chain's tests and the effect's: anything with
// the effect's SetSampleRate, ResetProcessing, SetSeedSource and RenderBlock can be driven.

// Two channels of samples.
struct Stereo {
  std::vector<double> left, right;
};

// A repeatable seed sequence, so that renders can be compared sample for sample.
inline SaturationChain::SeedSource CountingSeeds(std::uint32_t first = 20240611u) {
  return [next = first]() mutable { return next++; };
}

// Set up as a host would: sample rate, reset, and a repeatable seed source.
template <typename Effect> void Prepare(Effect& k, double sampleRate) {
  k.SetSampleRate(sampleRate);
  k.ResetProcessing();
  k.SetSeedSource(CountingSeeds());
}

// A hot sine with a little noise and a DC step: enough to drive every stage.
inline Stereo TestSignal(int n, double amplitude = 0.8) {
  Stereo s{std::vector<double>(n), std::vector<double>(n)};
  std::uint32_t noise = 1u;
  for (int i = 0; i < n; ++i) {
    noise = noise * 1664525u + 1013904223u;
    const double r = static_cast<double>(noise) / 4294967296.0 - 0.5;
    s.left[i] = amplitude * std::sin(0.031 * i) + 0.05 * r + (i > n / 2 ? 0.1 : 0.0);
    s.right[i] = amplitude * std::sin(0.017 * i + 1.0) - 0.05 * r;
  }
  return s;
}

// Renders the whole signal in blocks of blockSize (above 0) samples with separate output buffers.
template <typename Effect> Stereo Render(Effect& k, const Stereo& in, int blockSize) {
  const int n = static_cast<int>(in.left.size());
  Stereo out{std::vector<double>(n), std::vector<double>(n)};
  for (int start = 0; start < n; start += blockSize) {
    const int len = std::min(blockSize, n - start);
    double* inputs[2] = {const_cast<double*>(in.left.data()) + start,
                         const_cast<double*>(in.right.data()) + start};
    double* outputs[2] = {out.left.data() + start, out.right.data() + start};
    k.RenderBlock(inputs, outputs, len);
  }
  return out;
}
