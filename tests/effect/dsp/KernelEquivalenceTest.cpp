#include "ChainTestAccess.h"
#include "KernelDivergence.h"
#include "KernelPaths.h"
#include "KernelSignals.h"
#include "ReferenceKernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
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

// The chain and the oracle set up alike, each block fed to both.
struct SideBySide {
  SideBySide(double rate, int osIndex, bool react, double inputGain, const Stereo& signal)
      : oracle(rate, CountingSeeds()), in(signal), fast(signal), slow(signal) {
    Prepare(effect, rate);
    const std::pair<int, double> fixed[] = {
        {kOversampling, osIndex}, {kReact, react ? 1 : 0}, {kInputGain, inputGain}};
    for (const auto& [idx, value] : fixed) {
      SetParamValue(effect, idx, value);
      oracle.SetParam(idx, value);
    }
  }

  void Render(int start, int len) {
    double* inputs[2] = {const_cast<double*>(in.left.data()) + start,
                         const_cast<double*>(in.right.data()) + start};
    double* fastOut[2] = {fast.left.data() + start, fast.right.data() + start};
    double* slowOut[2] = {slow.left.data() + start, slow.right.data() + start};
    effect.RenderBlock(inputs, fastOut, len);
    oracle.RenderBlock(inputs, slowOut, len);
  }

  TestChain effect;
  ReferenceKernel oracle;
  const Stereo& in;
  Stereo fast, slow;
};

struct Settings {
  double rate;
  int osIndex;
  bool react;
  double inputGain;
};

// Renders the blocks before the one the state parted in as they were, then that block a sample
// at a time, to catch the step in the sample it first goes wrong in.
void PinTheStep(const Settings& s, const Stereo& in, KernelDivergence& divergence) {
  const int partedIn = divergence.StatePartedInBlock();
  if (partedIn < 0) return;
  SideBySide run(s.rate, s.osIndex, s.react, s.inputGain, in);
  int start = 0;
  for (int block = 0; block < partedIn; ++block) {
    MoveParams(block, run.effect, run.oracle);
    run.Render(start, BlockSizeAt(block));
    start += BlockSizeAt(block);
  }
  MoveParams(partedIn, run.effect, run.oracle);
  const int end = std::min(start + BlockSizeAt(partedIn), static_cast<int>(in.left.size()));
  for (int sample = start; sample < end; ++sample) {
    run.Render(sample, 1);
    if (divergence.CompareSample(sample, ChainTestAccess::NamedState(run.effect.Chain()),
                                 run.oracle.NamedState()))
      return;
  }
}

// The largest difference between the chain's and the oracle's renders of the same settings, and
// where they first parted. The render stops at the first block past the tolerance: everything
// after it only repeats the fault.
struct Comparison {
  double difference;
  std::string firstDifference;
};

Comparison CompareWithOracle(const Settings& s, const Stereo& in = LevelTour(300)) {
  constexpr double kTolerance = 1e-9;
  SideBySide run(s.rate, s.osIndex, s.react, s.inputGain, in);
  KernelDivergence divergence(kTolerance);
  const int total = static_cast<int>(in.left.size());
  double worst = 0.0;
  int start = 0;
  for (int block = 0; start < total && worst <= kTolerance; ++block) {
    const int len = std::min(BlockSizeAt(block), total - start);
    MoveParams(block, run.effect, run.oracle);
    run.Render(start, len);
    const double* fastOut[2] = {run.fast.left.data() + start, run.fast.right.data() + start};
    const double* slowOut[2] = {run.slow.left.data() + start, run.slow.right.data() + start};
    worst = std::max(worst, divergence.CompareBlock(start, len, fastOut, slowOut,
                                                    ChainTestAccess::NamedState(run.effect.Chain()),
                                                    run.oracle.NamedState()));
    start += len;
  }
  if (worst > kTolerance) PinTheStep(s, in, divergence);
  return {worst, divergence.Report()};
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
            const Comparison c = CompareWithOracle({rate, os, react, gain});
            EXPECT_LE(c.difference, 1e-9)
                << path.name << ", " << rate << " Hz, index " << os << ", React " << react
                << ", gain " << gain << ": " << c.firstDifference;
            worst = std::max(worst, c.difference);
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
      for (bool react : {false, true}) {
        const Comparison c = CompareWithOracle({48000, os, react, 200}, hot);
        EXPECT_LE(c.difference, 1e-9)
            << amplitude << ", index " << os << ", React " << react << ": " << c.firstDifference;
      }
  }
}

} // namespace
