#include "BlockSeeds.h"

#include <random>

namespace {
constexpr std::uint32_t Rotl(std::uint32_t v, int n) {
  return (v << n) | (v >> (32 - n));
}

void QuarterRound(std::array<std::uint32_t, 16>& s, int a, int b, int c, int d) {
  s[a] += s[b];
  s[d] = Rotl(s[d] ^ s[a], 16);
  s[c] += s[d];
  s[b] = Rotl(s[b] ^ s[c], 12);
  s[a] += s[b];
  s[d] = Rotl(s[d] ^ s[a], 8);
  s[c] += s[d];
  s[b] = Rotl(s[b] ^ s[c], 7);
}
} // namespace

void ChaCha20Block(const BlockSeeds::Key& key, std::uint32_t counter,
                   const BlockSeeds::Nonce& nonce, std::array<std::uint32_t, 16>& out) noexcept {
  const std::array<std::uint32_t, 16> input = {
      0x61707865u, 0x3320646eu, 0x79622d32u, 0x6b206574u, key[0],  key[1],   key[2],   key[3],
      key[4],      key[5],      key[6],      key[7],      counter, nonce[0], nonce[1], nonce[2]};
  out = input;
  for (int round = 0; round < 10; ++round) {
    QuarterRound(out, 0, 4, 8, 12);
    QuarterRound(out, 1, 5, 9, 13);
    QuarterRound(out, 2, 6, 10, 14);
    QuarterRound(out, 3, 7, 11, 15);
    QuarterRound(out, 0, 5, 10, 15);
    QuarterRound(out, 1, 6, 11, 12);
    QuarterRound(out, 2, 7, 8, 13);
    QuarterRound(out, 3, 4, 9, 14);
  }
  for (int i = 0; i < 16; ++i)
    out[i] += input[i];
}

BlockSeeds::BlockSeeds() {
  // "default" is the one token every C++ runtime accepts: libstdc++ reads /dev/urandom with
  // it on Linux (or the CPU's generator) and the system's generator on Windows, where a device
  // path is refused.
  std::random_device device("default");
  for (std::uint32_t& word : mKey)
    word = device();
  for (std::uint32_t& word : mNonce)
    word = device();
}

BlockSeeds::BlockSeeds(const Key& key, const Nonce& nonce) : mKey(key), mNonce(nonce) {}

BlockSeeds::result_type BlockSeeds::operator()() noexcept {
  if (mUsed == static_cast<int>(mBlock.size())) Refill();
  return mBlock[mUsed++];
}

void BlockSeeds::Refill() noexcept {
  ChaCha20Block(mKey, mCounter, mNonce, mBlock);
  // 2^36 seeds per nonce: a wrapped counter moves to the next nonce instead of repeating.
  if (++mCounter == 0) ++mNonce[0];
  mUsed = 0;
}
