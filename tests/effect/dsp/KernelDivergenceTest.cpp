#include "KernelDivergence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// A state with every family the steps name, all zero, for two channels.
StateFamilies ZeroState() {
  StateFamilies state;
  for (const char* family :
       {"smoothState", "adaaPrevInput", "adaaPrevIntegral", "smoothGain", "smoothKeep"})
    state[family] = {std::vector<double>(16), std::vector<double>(16)};
  for (const char* family : {"outputHistory", "blockOutHistory", "driveHistory"})
    state[family] = {std::vector<double>(64), std::vector<double>(64)};
  for (const char* family : {"prevInput", "postPrev", "lastOutput", "trackValue", "filterState1",
                             "filterState2", "dcState", "dcGain", "dcKeep"})
    state[family] = {{0.0}, {0.0}};
  return state;
}

bool Says(const std::string& report, const std::string& part) {
  return report.find(part) != std::string::npos;
}

// A fault found block by block names the first differing sample with both outputs and their
// ratio, and the step of the earliest differing state; a sample at a time narrows the step down
// to the one whose fault the chain's feedback had carried back into the earlier steps.
TEST(KernelDivergence, NamesTheSampleTheRatioAndTheFirstStepToPart) {
  KernelDivergence divergence(1e-9);
  const double same[4] = {0.1, 0.2, 0.3, 0.4};
  const double* const outputs[2] = {same, same};
  const StateFamilies oracle = ZeroState();
  EXPECT_EQ(divergence.CompareBlock(0, 4, outputs, outputs, oracle, oracle), 0.0);
  EXPECT_EQ(divergence.StatePartedInBlock(), -1);

  const double louder[4] = {0.1, 0.2, 0.45, 0.6};
  const double* const kernelOut[2] = {same, louder};
  StateFamilies kernel = ZeroState();
  kernel["lastOutput"][1][0] = 0.01;
  kernel["trackValue"][0][0] = 0.02;
  EXPECT_DOUBLE_EQ(divergence.CompareBlock(4, 4, kernelOut, outputs, kernel, oracle), 0.2);
  EXPECT_EQ(divergence.StatePartedInBlock(), 1);
  const std::string byBlock = divergence.Report();
  EXPECT_TRUE(Says(byBlock, "block 1 (from sample 4), at sample 2 of the block (6 of the signal), "
                            "right channel: kernel 0.45 vs oracle 0.3, ratio 1.5"))
      << byBlock;
  EXPECT_TRUE(Says(byBlock, "follow and tame (trackValue[0], left channel, after block 1"))
      << byBlock;

  EXPECT_FALSE(divergence.CompareSample(4, oracle, oracle));
  StateFamilies decimationOnly = ZeroState();
  decimationOnly["blockOutHistory"][0][3] = 0.5;
  EXPECT_TRUE(divergence.CompareSample(5, decimationOnly, oracle));
  EXPECT_TRUE(Says(divergence.Report(), "decimation (blockOutHistory[3], left channel, after "
                                        "sample 5 of the signal"))
      << divergence.Report();
}

// Slots are named as the chain names them; a value that is no number always differs, and a
// kernel output that is no number counts as an infinite difference.
TEST(KernelDivergence, NamesSlotsAndCatchesValuesThatAreNoNumber) {
  KernelDivergence divergence(1e-9);
  const double oracleOut[1] = {0.5};
  const double kernelOut[1] = {NAN};
  const double* const oracleOutputs[2] = {oracleOut, oracleOut};
  const double* const kernelOutputs[2] = {kernelOut, oracleOut};
  StateFamilies kernel = ZeroState();
  kernel["adaaPrevIntegral"][1][6] = NAN;
  EXPECT_EQ(divergence.CompareBlock(0, 1, kernelOutputs, oracleOutputs, kernel, ZeroState()),
            INFINITY);
  EXPECT_TRUE(Says(divergence.Report(), "ceiling (adaaPrevIntegral[kCeilingSlot], right channel"))
      << divergence.Report();
}

// Within the tolerance, relative to the size of the value, nothing parts; with no state apart,
// the report points past the last step that keeps any.
TEST(KernelDivergence, SmallDifferencesDoNotCountAndStatelessStepsAreNamed) {
  KernelDivergence divergence(1e-9);
  StateFamilies oracle = ZeroState();
  StateFamilies kernel = ZeroState();
  oracle["adaaPrevIntegral"][0][5] = 1e6;
  kernel["adaaPrevIntegral"][0][5] = 1e6 + 1e-4;
  const double oracleOut[1] = {0.25};
  const double kernelOut[1] = {0.25 + 5e-10};
  const double wrongOut[1] = {0.5};
  const double* const oracleOutputs[2] = {oracleOut, oracleOut};
  const double* const kernelOutputs[2] = {kernelOut, oracleOut};
  EXPECT_LE(divergence.CompareBlock(0, 1, kernelOutputs, oracleOutputs, kernel, oracle), 1e-9);
  EXPECT_EQ(divergence.StatePartedInBlock(), -1);
  const double* const wrongOutputs[2] = {wrongOut, oracleOut};
  EXPECT_EQ(divergence.CompareBlock(1, 1, wrongOutputs, oracleOutputs, kernel, oracle), 0.25);
  EXPECT_TRUE(Says(divergence.Report(), "ratio 2; no state differs, so the step is one that keeps "
                                        "none"))
      << divergence.Report();
}

} // namespace
