#include "KeyedCache.h"
#include "FontDataCache.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(KeyedCache, NameAndScaleTogetherPickTheEntry) {
  KeyedCache<std::string> cache;
  std::string* one = cache.Add("knob.png", 1.0, std::make_unique<std::string>("1x"));
  std::string* two = cache.Add("knob.png", 2.0, std::make_unique<std::string>("2x"));
  // 1.04 prints as "1.0" like 1.0, so both share a key hash but are different scales.
  std::string* near = cache.Add("knob.png", 1.04, std::make_unique<std::string>("1.04x"));
  cache.Add("slider.png", 1.0, std::make_unique<std::string>("slider"));

  EXPECT_EQ(cache.Size(), 4u);
  EXPECT_EQ(cache.Find("knob.png", 1.0), one);
  EXPECT_EQ(cache.Find("knob.png", 2.0), two);
  EXPECT_EQ(cache.Find("knob.png", 1.04), near);
  EXPECT_EQ(*cache.Find("slider.png", 1.0), "slider");
  EXPECT_EQ(cache.Find("knob.png", 3.0), nullptr);
  EXPECT_EQ(cache.Find("knob", 1.0), nullptr);
}

TEST(KeyedCache, AddingUnderATakenKeyKeepsTheEntryHandedOut) {
  KeyedCache<std::string> cache;
  std::string* first = cache.Add("knob.png", 1.0, std::make_unique<std::string>("first"));
  EXPECT_EQ(cache.Add("knob.png", 1.0, std::make_unique<std::string>("second")), first);
  EXPECT_EQ(*first, "first");
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_EQ(cache.Add("empty.png", 1.0, nullptr), nullptr);
  EXPECT_EQ(cache.Size(), 1u) << "a missing item leaves no entry behind";
}

TEST(KeyedCache, RemoveDeletesOnlyTheEntryHoldingTheItem) {
  KeyedCache<int> cache;
  int* a = cache.Add("a", 1.0, std::make_unique<int>(1));
  int* b = cache.Add("b", 1.0, std::make_unique<int>(2));
  const int stranger = 2;
  EXPECT_FALSE(cache.Remove(&stranger));
  EXPECT_TRUE(cache.Remove(a));
  EXPECT_FALSE(cache.Remove(a));
  EXPECT_EQ(cache.Find("a", 1.0), nullptr);
  EXPECT_EQ(cache.Find("b", 1.0), b);
  EXPECT_EQ(cache.Size(), 1u);
}

TEST(KeyedCache, EntriesLiveUntilTheLastHolderLetsGo) {
  KeyedCache<int> cache;
  cache.Retain();
  cache.Retain();
  cache.Add("a", 1.0, std::make_unique<int>(1));
  cache.Release();
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_FALSE(cache.Unreferenced());
  cache.Release();
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_TRUE(cache.Unreferenced());
}

TEST(KeyedCache, FontDataStoredTwiceKeepsTheBytesNanoVGWasGiven) {
  FontDataCache& cache = FontDataCache::Instance();
  cache.Retain();
  {
    std::lock_guard<std::mutex> lock(cache.Mutex());
    auto first = std::make_unique<FontFaceData>();
    const FontFaceData* given = first.get();
    cache.AddLocked("Roboto-Regular", std::move(first));
    cache.AddLocked("Roboto-Regular", std::make_unique<FontFaceData>());
    EXPECT_EQ(cache.FindLocked("Roboto-Regular"), given);
  }
  EXPECT_EQ(cache.Size(), 1u);
  cache.Release();
  EXPECT_EQ(cache.Size(), 0u);
}

} // namespace
