#pragma once

#include <cstdint>
#include <cstring>

// A system-exclusive message of fixed capacity, so that it can sit in a
// preallocated queue slot: longer data is cut to the capacity.
struct ISysEx {
  static constexpr int kMaxBytes = 512;

  int mOffset = 0;
  int mSize = 0;
  uint8_t mData[kMaxBytes] = {};

  ISysEx() = default;

  // Without data the record holds zeros and keeps the given size (capped).
  ISysEx(int offset, const uint8_t* data, int size) : mOffset(offset) {
    mSize = size < 0 ? 0 : (size > kMaxBytes ? kMaxBytes : size);
    if (data && mSize > 0) std::memcpy(mData, data, static_cast<size_t>(mSize));
  }
};

static_assert(sizeof(ISysEx) == 520, "system-exclusive records travel as 520-byte records");
