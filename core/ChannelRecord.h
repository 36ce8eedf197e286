#pragma once

#include <string>
#include <vector>

// The frame's view of one input or output channel.
struct ChannelRecord {
  bool mConnected = false;
  // This channel's entry in the frame's slot array handed to the block operation.
  double** mSlot = nullptr;
  // The host's buffer when the host works in 32-bit samples; output is converted into it.
  float* mHostBuffer32 = nullptr;
  // Block-size storage used for disconnected channels and 32-bit conversion.
  std::vector<double> mScratch;
  // The scratch buffer holds input converted from the host's 32-bit samples ...
  bool mScratchHoldsInput = false;
  // ... and was bound after the channel was last marked, so it belongs to the current block.
  bool mScratchInputCurrent = false;
  std::string mLabel;

  bool SlotOnScratch() const { return *mSlot == mScratch.data(); }
  void PointSlotAtScratch() { *mSlot = mScratch.data(); }
};
