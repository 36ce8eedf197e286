#pragma once

#include "IMidiMsg.h"

#include <vector>

// The MIDI messages a plug-in emits during a block, ordered by sample offset, until the block
// hands them to the host. Touched only on the audio thread; it grows there only when a block
// emits more messages than it was sized for.
class MidiOutputQueue {
public:
  static constexpr int kGrowthStep = 512;

  MidiOutputQueue();

  // After every stored message whose offset is not greater. False when the message was dropped.
  bool Add(const IMidiMsg& msg);
  // Sizes for at least one message per sample of the largest block (off the audio thread).
  void Resize(int maxBlockSize);

  int Size() const { return mCount; }
  int Capacity() const { return static_cast<int>(mMessages.size()); }
  const IMidiMsg& At(int idx) const {
    return mMessages[static_cast<std::vector<IMidiMsg>::size_type>(idx)];
  }
  // The first n messages have been handed to the host.
  void MarkSent(int n);
  // Sent messages leave; the offsets of the others move by the block length.
  void Flush(int blockLength);

private:
  void RemoveSent();

  std::vector<IMidiMsg> mMessages;
  int mCount = 0;
  int mSent = 0;
  int mGrowthStep = kGrowthStep;
};
