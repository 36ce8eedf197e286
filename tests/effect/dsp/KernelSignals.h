#pragma once

#include "ChainHarness.h"

#include <vector>

// One stereo signal that passes through every level the kernel must agree on: loud (hot enough
// to reach the ceiling and the drive pre-stage), quiet (1e-30), silent, then loud again.
inline Stereo LevelTour(int segment) {
  const Stereo loud = TestSignal(segment, 1.7);
  Stereo all;
  for (double scale : {1.0, 1e-30, 0.0, 1.0}) {
    for (int i = 0; i < segment; ++i) {
      all.left.push_back(scale * loud.left[i]);
      all.right.push_back(scale * loud.right[i]);
    }
  }
  return all;
}

// Block sizes that vary, so that parameter changes and seeds land at many places.
inline int BlockSizeAt(int blockIndex) {
  static constexpr int kSizes[] = {256, 97, 512, 1, 180};
  return kSizes[blockIndex % 5];
}
