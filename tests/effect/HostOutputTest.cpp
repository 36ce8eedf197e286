#include "HostedKelvora.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {
using namespace hosted;

int SubnormalsSent(const HostedKelvora& h, int32 sampleSize) {
  int n = 0;
  for (int ch = 0; ch < 2; ++ch) {
    if (sampleSize == kSample64) {
      for (double v : h.Output64(ch))
        n += std::fpclassify(v) == FP_SUBNORMAL;
    } else {
      for (float v : h.Output32(ch))
        n += std::fpclassify(v) == FP_SUBNORMAL;
    }
  }
  return n;
}

Stereo Noise(int n, std::mt19937& random) {
  std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
  Stereo s{std::vector<double>(n), std::vector<double>(n)};
  for (int i = 0; i < n; ++i) {
    s.left[i] = sample(random);
    s.right[i] = sample(random);
  }
  return s;
}

// A host's checker: each new sample rate and block size, random settings, noise in. After a reset
// the chain starts from a zero previous input, so without oversampling and with the dry mix off
// (Wet at 82 % and above) the first output sample is only the 1e-39 guards of the chain, passed
// through the low-pass: a normal 64-bit number that is subnormal in 32 bits.
TEST(HostOutput, FirstBlocksAfterSetupCarryNoSubnormals) {
  std::mt19937 random(22);
  std::uniform_real_distribution<double> normalized(0.0, 1.0);
  for (int32 sampleSize : {kSample32, kSample64}) {
    for (double sampleRate : {44100.0, 48000.0, 96000.0}) {
      for (int blockSize : {64, 512}) {
        HostedKelvora h(sampleSize, blockSize, sampleRate);
        for (int idx = 0; idx < kNumParams; ++idx)
          h.Effect().GetParam(idx)->SetNormalized(normalized(random));
        SetParamValue(h.Effect(), kBypass, 0);
        SetParamValue(h.Effect(), kOversampling, 0);
        SetParamValue(h.Effect(), kWet, 82 + 18 * normalized(random));
        h.SetInput(Noise(blockSize, random));
        h.Process();
        EXPECT_EQ(SubnormalsSent(h, sampleSize), 0)
            << sampleSize << " " << sampleRate << " " << blockSize;
      }
    }
  }
}

// Silence enters the chain as 1e-39 and comes out at that level: zero for a 32-bit host.
TEST(HostOutput, SilenceReachesHostsAsZeros) {
  for (int32 sampleSize : {kSample32, kSample64}) {
    HostedKelvora h(sampleSize, 256);
    SetParamValue(h.Effect(), kWet, 100);
    h.SetInput(Stereo{std::vector<double>(256), std::vector<double>(256)});
    for (int block = 0; block < 4; ++block) {
      h.Process();
      EXPECT_EQ(SubnormalsSent(h, sampleSize), 0) << sampleSize << " " << block;
    }
  }
}

// A host may send blocks without input buses; the effect then hears silence and rings out the
// same way whatever the sample size, instead of hearing the last input again.
TEST(HostOutput, BlocksWithoutInputsSoundAlikeInBothSampleSizes) {
  HostedKelvora h64(kSample64, 256);
  HostedKelvora h32(kSample32, 256);
  for (HostedKelvora* h : {&h64, &h32})
    h->Effect().SetSeedSource(CountingSeeds());
  double largestDifference = 0.0;
  for (int block = 0; block < 24; ++block) {
    const bool withInputs = block < 4;
    h64.Process(nullptr, withInputs);
    h32.Process(nullptr, withInputs);
    if (withInputs) continue;
    for (int ch = 0; ch < 2; ++ch)
      for (size_t i = 0; i < 256; ++i)
        largestDifference =
            std::max(largestDifference, std::fabs(h64.Output64(ch)[i] - h32.Output32(ch)[i]));
  }
  // Float rounding of the input and the output, carried through the chain's memory.
  EXPECT_LT(largestDifference, 1e-4);
}

} // namespace
