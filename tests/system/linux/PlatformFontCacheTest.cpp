#include "PlatformFontCache.h"
#include "FontBuilder.h"
#include "FontLoading.h"
#include "MemoryFont.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

using namespace testfont;

namespace {

PlatformFontPtr Built(const Face& face) {
  const std::vector<uint8_t> bytes = Single(face);
  return LoadFontFromMemory("built", bytes.data(), bytes.size());
}

// Every test leaves the process-wide cache empty and unreferenced.
class FontCache : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(cache.RefCount(), 0);
    ASSERT_EQ(cache.Size(), 0u);
  }
  void TearDown() override {
    while (cache.RefCount() > 0)
      cache.Release();
    cache.Retain();
    cache.Release();
  }
  PlatformFontCache& cache = PlatformFontCache::Instance();
};

} // namespace

TEST_F(FontCache, SharedByTwoUsersAndFreedWithTheLast) {
  cache.Retain();
  cache.Retain();
  PlatformFontPtr font = Built(Face());
  ASSERT_TRUE(font);
  EXPECT_TRUE(cache.StoreFontDescriptor("Roboto-Regular", *font));
  font.reset();

  cache.Release();
  PlatformFontCache::Record record;
  ASSERT_TRUE(cache.Find("Roboto-Regular", record)) << "the other editor still uses it";
  EXPECT_TRUE(record.descriptor.IsValid()) << "the record keeps the bytes alive";

  cache.Release();
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_FALSE(cache.Find("Roboto-Regular", record));

  cache.Release();
  EXPECT_EQ(cache.RefCount(), 0) << "an unbalanced release is ignored";
}

TEST_F(FontCache, SizeRatioFromTheFaceMetrics) {
  cache.Retain();
  const std::vector<uint8_t> roboto = ReadRoboto();
  PlatformFontPtr font = LoadFontFromMemory("Roboto-Regular", roboto.data(), roboto.size());
  ASSERT_TRUE(font);
  ASSERT_TRUE(cache.StoreFontDescriptor("Roboto-Regular", *font));
  PlatformFontCache::Record record;
  ASSERT_TRUE(cache.Find("Roboto-Regular", record));
  EXPECT_DOUBLE_EQ(record.sizeRatio, 2048.0 / 2400.0);
  EXPECT_EQ(record.descriptor.faceIndex, 0);
  EXPECT_EQ(record.descriptor.data->size(), roboto.size());

  Face small;
  small.unitsPerEm = 1000;
  small.ascender = 750;
  small.descender = -250;
  ASSERT_TRUE(cache.StoreFontDescriptor("Small", *Built(small)));
  ASSERT_TRUE(cache.Find("Small", record));
  EXPECT_DOUBLE_EQ(record.sizeRatio, 1.0);
  EXPECT_FALSE(cache.Find("small", record));
  EXPECT_FALSE(cache.Find(nullptr, record));
}

TEST_F(FontCache, TheFirstDescriptorOfAnIdentifierIsKept) {
  cache.Retain();
  PlatformFontPtr first = Built(Face());
  Face other;
  other.unitsPerEm = 1000;
  PlatformFontPtr second = Built(other);
  ASSERT_TRUE(cache.StoreFontDescriptor("Font", *first));
  EXPECT_FALSE(cache.StoreFontDescriptor("Font", *second));

  PlatformFontCache::Record record;
  ASSERT_TRUE(cache.Find("Font", record));
  EXPECT_EQ(record.descriptor.data, first->NativeDescriptor().data);
  EXPECT_DOUBLE_EQ(record.sizeRatio, 2048.0 / 2400.0);
  EXPECT_EQ(cache.Size(), 1u);
}

TEST_F(FontCache, UnusableFacesAreNotStored) {
  cache.Retain();
  Face flat;
  flat.ascender = 0;
  flat.descender = 0;
  EXPECT_FALSE(cache.StoreFontDescriptor("Flat", *Built(flat)));

  Face regular;
  auto bytes = std::make_shared<const std::vector<uint8_t>>(Single(regular));
  EXPECT_FALSE(cache.StoreFontDescriptor("NoStyle", MemoryFont(bytes, true, "Bold")));
  EXPECT_FALSE(cache.StoreFontDescriptor(nullptr, *Built(regular)));
  EXPECT_EQ(cache.Size(), 0u);
}

TEST_F(FontCache, EditorsOnSeveralThreadsStoreWithoutLosingEntries) {
  cache.Retain();
  PlatformFontPtr font = Built(Face());
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      cache.Retain();
      for (int i = 0; i < 25; ++i)
        cache.StoreFontDescriptor(("Font" + std::to_string(t * 25 + i)).c_str(), *font);
      cache.Release();
    });
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(cache.Size(), 100u);
  EXPECT_EQ(cache.RefCount(), 1);
}
