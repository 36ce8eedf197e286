#pragma once

#include <cstdint>

// One short MIDI message stamped with its position in the block; 8 bytes so
// that the queues between the audio thread and the editor move it by value.
struct IMidiMsg {
  int mOffset = 0;
  uint8_t mStatus = 0;
  uint8_t mData1 = 0;
  uint8_t mData2 = 0;

  IMidiMsg() = default;
  IMidiMsg(int offset, uint8_t status, uint8_t data1, uint8_t data2)
      : mOffset(offset), mStatus(status), mData1(data1), mData2(data2) {}

  bool operator==(const IMidiMsg& other) const {
    return mOffset == other.mOffset && mStatus == other.mStatus && mData1 == other.mData1 &&
           mData2 == other.mData2;
  }
  bool operator!=(const IMidiMsg& other) const { return !(*this == other); }
};

static_assert(sizeof(IMidiMsg) == 8, "MIDI messages travel as 8-byte records");
