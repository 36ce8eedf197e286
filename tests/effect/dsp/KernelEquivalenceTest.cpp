#include "KelvoraKernel.h"
#include "KernelSignals.h"
#include "ReferenceKernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Parameter moves between blocks, so that every block starts from different per-block values.
void MoveParams(int block, TestChain& effect, ReferenceKernel& oracle) {
  const double wet[] = {50, 100, 30, 0, 82};
  const double tame[] = {0.5, 0.9, 0.1, 1.0};
  const double bias[] = {0.5, 0.0, 1.0, 0.3, 0.8};
  const double outGain[] = {100, 60, 120};
  const std::pair<int, double> moves[] = {{kDelta, block % 3 == 2 ? 1 : 0},
                                          {kWet, wet[block % 5]},
                                          {kTame, tame[block % 4]},
                                          {kBias, bias[block % 5]},
                                          {kOutputGain, outGain[block % 3]}};
  for (const auto& [idx, value] : moves) {
    SetParamValue(effect, idx, value);
    oracle.SetParam(idx, value);
  }
}

// The largest difference between the chain's and the oracle's renders of the same settings.
double LargestDifference(double rate, int osIndex, bool react, double inputGain,
                         const Stereo& in = LevelTour(300)) {
  TestChain effect;
  Prepare(effect, rate);
  ReferenceKernel oracle(rate, CountingSeeds());
  const std::pair<int, double> fixed[] = {
      {kOversampling, osIndex}, {kReact, react ? 1 : 0}, {kInputGain, inputGain}};
  for (const auto& [idx, value] : fixed) {
    SetParamValue(effect, idx, value);
    oracle.SetParam(idx, value);
  }
  Stereo fast = in, slow = in;
  const int total = static_cast<int>(in.left.size());
  int start = 0;
  for (int block = 0; start < total; ++block) {
    const int len = std::min(BlockSizeAt(block), total - start);
    MoveParams(block, effect, oracle);
    double* inputs[2] = {const_cast<double*>(in.left.data()) + start,
                         const_cast<double*>(in.right.data()) + start};
    double* fastOut[2] = {fast.left.data() + start, fast.right.data() + start};
    double* slowOut[2] = {slow.left.data() + start, slow.right.data() + start};
    effect.RenderBlock(inputs, fastOut, len);
    oracle.RenderBlock(inputs, slowOut, len);
    start += len;
  }
  double worst = 0.0;
  for (int i = 0; i < total; ++i) {
    worst = std::max(
        {worst, std::fabs(fast.left[i] - slow.left[i]), std::fabs(fast.right[i] - slow.right[i])});
    if (!std::isfinite(fast.left[i]) || !std::isfinite(fast.right[i])) return INFINITY;
  }
  return worst;
}

// Every path this CPU runs, at every rate, oversampling index, React setting and Input Gain,
// through loud, quiet and silent input with parameters moving between blocks.
TEST(KernelEquivalence, EveryPathAndSettingStaysWithinOneBillionthOfTheOracle) {
  const std::vector<kelvora::KernelPath> paths = kelvora::AvailableKernelPaths();
  ASSERT_FALSE(paths.empty());
  for (const kelvora::KernelPath& path : paths) {
    kelvora::UseKernelPath(path.target);
    double worst = 0.0;
    for (double rate : {44100.0, 48000.0, 96000.0, 192000.0})
      for (int os = 0; os < 4; ++os)
        for (bool react : {false, true})
          for (double gain : {0.0, 32.0, 200.0}) {
            const double difference = LargestDifference(rate, os, react, gain);
            EXPECT_LE(difference, 1e-9) << path.name << ", " << rate << " Hz, index " << os
                                        << ", React " << react << ", gain " << gain;
            worst = std::max(worst, difference);
          }
    RecordProperty(std::string("largest_difference_") + path.name, std::to_string(worst));
    std::printf("%s: largest difference %.3g\n", path.name, worst);
  }
  kelvora::UseKernelPath(0);
}

// Inputs far beyond full scale, up to a million, are held nowhere: the kernel still agrees with
// the oracle, whose chain had no such limit.
TEST(KernelEquivalence, InputsUpToAMillionAgreeWithTheOracle) {
  for (double amplitude : {40.0, 1e6}) {
    const Stereo hot = TestSignal(700, amplitude);
    for (int os : {0, 3})
      for (bool react : {false, true})
        EXPECT_LE(LargestDifference(48000, os, react, 200, hot), 1e-9)
            << amplitude << ", index " << os << ", React " << react;
  }
}

} // namespace
