#include "KernelDivergence.h"

#include "KelvoraSlots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace kelvora;

// A whole family, rather than one slot of it.
constexpr int kWholeFamily = -1;

struct StepState {
  const char* family;
  int index;
  const char* slotName = nullptr; // the slot's name in KelvoraSlots.h
};

struct Step {
  const char* name;
  std::vector<StepState> state;
};

// The chain's steps in the order the signal passes them, each with the state it writes; after the
// reset pass, each is a stage of the vector kernel, named alike (effect/dsp/kernel/). When
// a step goes wrong, everything after it follows within the block; the first step in this order
// whose state differs is where to look.
const std::vector<Step>& StepsInSignalOrder() {
  static const std::vector<Step> steps = {
      {"reset pass (smoother and DC remover coefficients)",
       {{"smoothGain", kWholeFamily},
        {"smoothKeep", kWholeFamily},
        {"dcGain", kWholeFamily},
        {"dcKeep", kWholeFamily}}},
      {"upsampling ramp", {{"smoothState", kRampStep, "kRampStep"}, {"prevInput", kWholeFamily}}},
      {"drive",
       {{"smoothState", kUpperRef, "kUpperRef"},
        {"smoothState", kLowerRef, "kLowerRef"},
        {"adaaPrevInput", kDriveSlot, "kDriveSlot"},
        {"adaaPrevIntegral", kDriveSlot, "kDriveSlot"},
        {"driveHistory", kWholeFamily}}},
      {"follow and tame",
       {{"smoothState", kLastOutput, "kLastOutput"},
        {"smoothState", kBlockNear, "kBlockNear"},
        {"smoothState", kBlockFar, "kBlockFar"},
        {"smoothState", kTrack, "kTrack"},
        {"trackValue", kWholeFamily},
        {"smoothState", kLevel, "kLevel"}}},
      {"ceiling",
       {{"adaaPrevInput", kCeilingSlot, "kCeilingSlot"},
        {"adaaPrevIntegral", kCeilingSlot, "kCeilingSlot"}}},
      {"history follower",
       {{"smoothState", kHistoryNear, "kHistoryNear"},
        {"smoothState", kHistoryFar, "kHistoryFar"},
        {"smoothState", kHistoryStep, "kHistoryStep"},
        {"smoothState", kHistoryTrend, "kHistoryTrend"},
        {"outputHistory", kWholeFamily}}},
      {"decimation", {{"blockOutHistory", kWholeFamily}, {"lastOutput", kWholeFamily}}},
      {"slew", {{"smoothState", kSlew, "kSlew"}, {"postPrev", kWholeFamily}}},
      {"DC remover", {{"dcState", kWholeFamily}}},
      {"output low-pass", {{"filterState1", kWholeFamily}, {"filterState2", kWholeFamily}}},
  };
  return steps;
}

const char* ChannelName(int channel) {
  return channel == 0 ? "left" : "right";
}

} // namespace

bool KernelDivergence::Differ(double kernel, double oracle) const {
  // Written so that a value that is no number differs from everything.
  return !(std::fabs(kernel - oracle) <= tolerance * std::max(1.0, std::fabs(oracle)));
}

bool KernelDivergence::FindPartIn(const StateFamilies& kernel, const StateFamilies& oracle,
                                  const std::string& family, int index, StatePart& part) const {
  const auto ours = kernel.find(family);
  const auto theirs = oracle.find(family);
  if (ours == kernel.end() || theirs == oracle.end()) return false;
  const std::size_t channels = std::min(ours->second.size(), theirs->second.size());
  for (std::size_t ch = 0; ch < channels; ++ch) {
    const std::vector<double>& k = ours->second[ch];
    const std::vector<double>& o = theirs->second[ch];
    const int size = static_cast<int>(std::min(k.size(), o.size()));
    const int first = index == kWholeFamily ? 0 : index;
    const int last = index == kWholeFamily ? size - 1 : std::min(index, size - 1);
    for (int j = first; j <= last; ++j) {
      if (!Differ(k[j], o[j])) continue;
      part.family = family;
      part.index = j;
      part.channel = static_cast<int>(ch);
      part.kernel = k[j];
      part.oracle = o[j];
      return true;
    }
  }
  return false;
}

KernelDivergence::StatePart KernelDivergence::FirstStatePart(const StateFamilies& kernel,
                                                             const StateFamilies& oracle) const {
  StatePart part;
  for (const Step& step : StepsInSignalOrder())
    for (const StepState& state : step.state)
      if (FindPartIn(kernel, oracle, state.family, state.index, part)) {
        part.step = step.name;
        part.slotName = state.slotName;
        return part;
      }
  // Slots no step writes should stay as the reset left them.
  for (const auto& family : oracle)
    if (FindPartIn(kernel, oracle, family.first, kWholeFamily, part)) {
      part.step = "a slot no step writes";
      return part;
    }
  return part;
}

double KernelDivergence::CompareBlock(int start, int nFrames, const double* const kernel[2],
                                      const double* const oracle[2],
                                      const StateFamilies& kernelState,
                                      const StateFamilies& oracleState) {
  // The state usually parts before the outputs do, often blocks before.
  if (!statePart.step) {
    statePart = FirstStatePart(kernelState, oracleState);
    if (statePart.step) statePart.block = block;
  }
  double largest = 0.0;
  for (int i = 0; i < nFrames; ++i)
    for (int ch = 0; ch < 2; ++ch) {
      const double k = kernel[ch][i], o = oracle[ch][i];
      const double difference = std::isfinite(k) ? std::fabs(k - o) : INFINITY;
      largest = std::max(largest, difference);
      if (!outputPart.empty() || !(difference > tolerance)) continue;
      char text[400];
      std::snprintf(text, sizeof text,
                    "first differs in block %d (from sample %d), at sample %d of the block (%d of "
                    "the signal), %s channel: kernel %.12g vs oracle %.12g, ratio %.12g",
                    block, start, i, start + i, ChannelName(ch), k, o, k / o);
      outputPart = text;
    }
  ++block;
  return largest;
}

bool KernelDivergence::CompareSample(int sample, const StateFamilies& kernelState,
                                     const StateFamilies& oracleState) {
  StatePart part = FirstStatePart(kernelState, oracleState);
  if (!part.step) return false;
  part.block = statePart.block;
  part.sample = sample;
  statePart = part;
  return true;
}

std::string KernelDivergence::DescribeStatePart() const {
  if (!statePart.step)
    return "no state differs, so the step is one that keeps none: the soft clip, the dry/wet "
           "fade or Delta";
  const std::string where =
      statePart.family + "[" +
      (statePart.slotName ? std::string(statePart.slotName) : std::to_string(statePart.index)) +
      "]";
  const std::string when = statePart.sample < 0
                               ? "after block " + std::to_string(statePart.block)
                               : "after sample " + std::to_string(statePart.sample) +
                                     " of the signal, block " + std::to_string(statePart.block) +
                                     " rendered a sample at a time";
  char text[500];
  std::snprintf(text, sizeof text,
                "first step whose state differs: %s (%s, %s channel, %s: kernel %.12g vs oracle "
                "%.12g)",
                statePart.step, where.c_str(), ChannelName(statePart.channel), when.c_str(),
                statePart.kernel, statePart.oracle);
  return text;
}

std::string KernelDivergence::Report() const {
  return outputPart + "; " + DescribeStatePart();
}
