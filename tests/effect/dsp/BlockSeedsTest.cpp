#include "BlockSeeds.h"
#include "ChainHarness.h"

#include <gtest/gtest.h>

#include <bitset>
#include <dirent.h>
#include <memory>
#include <set>
#include <vector>

namespace {

using Words = std::array<std::uint32_t, 16>;

// The key 00 01 02 .. 1f of the published ChaCha20 examples, as little-endian words.
constexpr BlockSeeds::Key kCountingKey = {0x03020100u, 0x07060504u, 0x0b0a0908u, 0x0f0e0d0cu,
                                          0x13121110u, 0x17161514u, 0x1b1a1918u, 0x1f1e1d1cu};

TEST(BlockSeeds, BlockFunctionMatchesThePublishedExamples) {
  Words out{};
  ChaCha20Block(kCountingKey, 1, {0x09000000u, 0x4a000000u, 0u}, out);
  const Words expected = {0xe4e7f110u, 0x15593bd1u, 0x1fdd0f50u, 0xc47120a3u,
                          0xc7f4d1c7u, 0x0368c033u, 0x9aaa2204u, 0x4e6cd4c3u,
                          0x466482d2u, 0x09aa9f07u, 0x05d7c214u, 0xa2028bd9u,
                          0xd19c12b5u, 0xb94e16deu, 0xe883d0cbu, 0x4e3c50a2u};
  EXPECT_EQ(out, expected);
}

TEST(BlockSeeds, SeedsAreTheKeyStreamBlockAfterBlock) {
  // All-zero key and nonce: the key stream starts 76 b8 e0 ad and its second block 9f 07 e7 be.
  BlockSeeds seeds(BlockSeeds::Key{}, BlockSeeds::Nonce{});
  std::vector<std::uint32_t> drawn;
  for (int i = 0; i < 48; ++i)
    drawn.push_back(seeds());
  EXPECT_EQ(drawn[0], 0xade0b876u);
  EXPECT_EQ(drawn[16], 0xbee7079fu);
  for (std::uint32_t counter = 0; counter < 3; ++counter) {
    Words block{};
    ChaCha20Block(BlockSeeds::Key{}, counter, BlockSeeds::Nonce{}, block);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), drawn.begin() + 16 * counter)) << counter;
  }
}

TEST(BlockSeeds, EveryInstanceHasItsOwnUnbiasedStream) {
  BlockSeeds a, b;
  std::set<std::uint32_t> seen;
  long ones = 0;
  constexpr int kDraws = 4096;
  for (int i = 0; i < kDraws; ++i) {
    const std::uint32_t fromA = a();
    seen.insert(fromA);
    seen.insert(b());
    ones += static_cast<long>(std::bitset<32>(fromA).count());
  }
  // Two streams of 4096 random 32-bit values hardly ever share a value.
  EXPECT_GT(seen.size(), 2u * kDraws - 8);
  // Half the bits are set, within about five standard deviations (181 bits).
  EXPECT_NEAR(static_cast<double>(ones), 16.0 * kDraws, 900.0);
}

int OpenDescriptors() {
  int n = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir))
      ++n;
    closedir(dir);
  }
  return n;
}

TEST(BlockSeeds, InstancesKeepNoDescriptorOpen) {
  const int before = OpenDescriptors();
  std::vector<std::unique_ptr<TestChain>> instances;
  for (int i = 0; i < 8; ++i)
    instances.push_back(std::make_unique<TestChain>());
  EXPECT_EQ(OpenDescriptors(), before);
}

// Without a seed source the jitter differs between instances, so the same input renders slightly
// differently; a shared seed source makes the renders equal again.
TEST(BlockSeeds, InstancesDrawDifferentSeedsUnlessGivenASource) {
  const Stereo in = TestSignal(2048);
  TestChain a, b;
  for (TestChain* instance : {&a, &b}) {
    instance->SetSampleRate(48000);
    instance->ResetProcessing();
  }
  const Stereo fromA = Render(a, in, 256);
  const Stereo fromB = Render(b, in, 256);
  EXPECT_NE(fromA.left, fromB.left);

  TestChain c, d;
  for (TestChain* instance : {&c, &d})
    Prepare(*instance, 48000);
  EXPECT_EQ(Render(c, in, 256).left, Render(d, in, 256).left);
}

} // namespace
