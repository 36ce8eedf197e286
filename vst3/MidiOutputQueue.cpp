#include "MidiOutputQueue.h"

#include <algorithm>
#include <new>

namespace {

int RoundUpTo(int value, int step) {
  return (value + step - 1) / step * step;
}

} // namespace

MidiOutputQueue::MidiOutputQueue() : mMessages(kGrowthStep) {}

bool MidiOutputQueue::Add(const IMidiMsg& msg) {
  if (mCount == Capacity()) {
    if (mSent > 0) {
      RemoveSent();
    } else {
      try {
        mMessages.resize(static_cast<size_t>(Capacity() / mGrowthStep + 1) * mGrowthStep);
      } catch (const std::bad_alloc&) {
        return false;
      }
    }
  }
  const auto first = mMessages.begin();
  const auto pos =
      std::upper_bound(first, first + mCount, msg,
                       [](const IMidiMsg& a, const IMidiMsg& b) { return a.mOffset < b.mOffset; });
  std::move_backward(pos, first + mCount, first + mCount + 1);
  *pos = msg;
  ++mCount;
  return true;
}

void MidiOutputQueue::Resize(int maxBlockSize) {
  RemoveSent();
  mGrowthStep = RoundUpTo(std::max(maxBlockSize, 1), kGrowthStep);
  const int capacity = mCount > mGrowthStep ? RoundUpTo(mCount, kGrowthStep) : mGrowthStep;
  if (capacity == Capacity()) return;
  try {
    mMessages.resize(static_cast<size_t>(capacity));
  } catch (const std::bad_alloc&) {
  }
}

void MidiOutputQueue::MarkSent(int n) {
  mSent = std::clamp(mSent + n, 0, mCount);
}

void MidiOutputQueue::Flush(int blockLength) {
  RemoveSent();
  for (int i = 0; i < mCount; ++i)
    mMessages[static_cast<size_t>(i)].mOffset -= blockLength;
}

void MidiOutputQueue::RemoveSent() {
  if (mSent == 0) return;
  std::move(mMessages.begin() + mSent, mMessages.begin() + mCount, mMessages.begin());
  mCount -= mSent;
  mSent = 0;
}
