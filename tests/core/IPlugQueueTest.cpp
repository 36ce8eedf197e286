#include "IPlugQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

TEST(IPlugQueue, HoldsCapacityEntriesInOrderAndDropsTheNextOne) {
  IPlugQueue<int> queue(32);
  EXPECT_EQ(queue.Capacity(), 32u);
  for (int i = 0; i < 32; ++i)
    EXPECT_TRUE(queue.Push(i));
  EXPECT_FALSE(queue.Push(99));
  EXPECT_EQ(queue.ElementsAvailable(), 32u);
  int value = -1;
  for (int i = 0; i < 32; ++i) {
    ASSERT_TRUE(queue.Pop(value));
    EXPECT_EQ(value, i);
  }
  EXPECT_FALSE(queue.Pop(value));
  EXPECT_EQ(value, 31);
}

TEST(IPlugQueue, WrapsAroundItsSlots) {
  IPlugQueue<int> queue(4);
  int value = 0;
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(queue.Push(i));
    ASSERT_TRUE(queue.Push(i + 1000));
    ASSERT_TRUE(queue.Pop(value));
    EXPECT_EQ(value, i);
    ASSERT_TRUE(queue.Pop(value));
    EXPECT_EQ(value, i + 1000);
    EXPECT_EQ(queue.ElementsAvailable(), 0u);
  }
}

namespace {
/** Large enough that a torn copy would show as a record whose words disagree. */
struct Record {
  uint64_t sequence;
  uint64_t words[63];
};
} // namespace

TEST(IPlugQueue, TwoThreadsSeeEveryDeliveredRecordWholeAndInOrder) {
  IPlugQueue<Record> queue(8);
  constexpr uint64_t kRecords = 200000;
  std::atomic<bool> done{false};
  uint64_t dropped = 0;
  std::thread producer([&] {
    Record record{};
    for (uint64_t s = 1; s <= kRecords; ++s) {
      record.sequence = s;
      for (uint64_t& word : record.words)
        word = s * 0x9E3779B97F4A7C15ull;
      if (!queue.Push(record)) ++dropped;
    }
    done.store(true, std::memory_order_release);
  });

  uint64_t received = 0;
  uint64_t last = 0;
  bool torn = false;
  bool outOfOrder = false;
  Record record{};
  for (;;) {
    const bool finished = done.load(std::memory_order_acquire);
    while (queue.Pop(record)) {
      ++received;
      outOfOrder = outOfOrder || record.sequence <= last;
      last = record.sequence;
      for (uint64_t word : record.words)
        torn = torn || word != record.sequence * 0x9E3779B97F4A7C15ull;
    }
    if (finished) break;
  }
  producer.join();
  EXPECT_FALSE(torn);
  EXPECT_FALSE(outOfOrder);
  EXPECT_EQ(received + dropped, kRecords);
  EXPECT_GT(received, 0u);
}
