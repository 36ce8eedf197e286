#pragma once

#include "StateFamilies.h"

#include <string>

// Follows the vector kernel's render beside the oracle's and says where the two first part: the
// block and sample, both outputs and their ratio, and the step of the chain whose state parted
// first. A failing comparison so names what broke instead of only how much.
class KernelDivergence {
public:
  explicit KernelDivergence(double tolerance) : tolerance(tolerance) {}

  // Takes one block of both renders (two channels each, starting at sample start of the signal)
  // and both states after it. Returns the largest difference of the block's outputs, infinite
  // where the kernel's is not finite; past the tolerance, Report says where.
  double CompareBlock(int start, int nFrames, const double* const kernel[2],
                      const double* const oracle[2], const StateFamilies& kernelState,
                      const StateFamilies& oracleState);

  // The block after which the state first parted, -1 while it has not.
  int StatePartedInBlock() const { return statePart.block; }

  // Takes both states after one sample of that block rendered on its own. Within one sample a
  // fault reaches only the steps after it, while by the end of a block the chain's feedback has
  // carried it into those before; so the first of these that differs names the step exactly.
  // Returns whether it differed.
  bool CompareSample(int sample, const StateFamilies& kernelState,
                     const StateFamilies& oracleState);

  // One paragraph: where the outputs first parted and which step's state parted first.
  std::string Report() const;

private:
  struct StatePart {
    const char* step = nullptr;
    const char* slotName = nullptr;
    std::string family;
    int index = 0, channel = 0;
    int block = -1, sample = -1;
    double kernel = 0.0, oracle = 0.0;
  };

  bool Differ(double kernel, double oracle) const;
  // The first state, in signal order, that differs; no step when none does.
  StatePart FirstStatePart(const StateFamilies& kernel, const StateFamilies& oracle) const;
  bool FindPartIn(const StateFamilies& kernel, const StateFamilies& oracle,
                  const std::string& family, int index, StatePart& part) const;
  std::string DescribeStatePart() const;

  double tolerance;
  int block = 0;
  StatePart statePart;
  std::string outputPart;
};
