#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <type_traits>

/** Single-producer, single-consumer ring buffer between the audio thread and the editor.
 *  Only the producer writes the write index and only the consumer writes the read index, so
 *  neither side ever waits: a release store publishes a slot, the other side's acquire load
 *  sees it whole. One slot stays empty to tell "full" from "empty". A push into a full queue is
 *  dropped. Nothing is allocated after construction. */
template <typename T> class IPlugQueue final {
  static_assert(std::is_trivially_copyable<T>::value, "queued entries are copied bytewise");

public:
  /** Room for `capacity` waiting entries (capacity + 1 slots). */
  explicit IPlugQueue(int capacity)
      : mSlots(static_cast<size_t>(capacity < 0 ? 0 : capacity) + 1),
        mData(std::make_unique<T[]>(mSlots)) {}

  IPlugQueue(const IPlugQueue&) = delete;
  IPlugQueue& operator=(const IPlugQueue&) = delete;

  /** Producer side. False (and nothing stored) when the queue is full. */
  bool Push(const T& item) {
    const size_t write = mWriteIndex.load(std::memory_order_relaxed);
    const size_t next = Advance(write);
    if (next == mReadIndex.load(std::memory_order_acquire)) return false;
    mData[write] = item;
    mWriteIndex.store(next, std::memory_order_release);
    return true;
  }

  /** Consumer side. False when nothing is waiting. */
  bool Pop(T& item) {
    const size_t read = mReadIndex.load(std::memory_order_relaxed);
    if (read == mWriteIndex.load(std::memory_order_acquire)) return false;
    item = mData[read];
    mReadIndex.store(Advance(read), std::memory_order_release);
    return true;
  }

  /** Entries waiting; exact on the consumer side, a lower bound elsewhere. */
  size_t ElementsAvailable() const {
    const size_t write = mWriteIndex.load(std::memory_order_acquire);
    const size_t read = mReadIndex.load(std::memory_order_acquire);
    return write >= read ? write - read : write + mSlots - read;
  }

  /** The most entries that can wait at once. */
  size_t Capacity() const { return mSlots - 1; }

private:
  size_t Advance(size_t index) const { return index + 1 == mSlots ? 0 : index + 1; }

  const size_t mSlots;
  const std::unique_ptr<T[]> mData;
  // Apart on their own cache lines: each is written by a different thread.
  alignas(64) std::atomic<size_t> mWriteIndex{0};
  alignas(64) std::atomic<size_t> mReadIndex{0};
};
