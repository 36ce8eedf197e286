#pragma once

#include <array>
#include <cstdint>

// The per-block seeds of the effect's jitter. The audio thread may make no system call, so the
// platform's random device is read once, when the generator is keyed, and the seeds are the
// ChaCha20 key stream of that key: unpredictable without the key, different for every instance
// and run, and drawn with arithmetic alone.
class BlockSeeds {
public:
  using result_type = std::uint32_t;
  using Key = std::array<std::uint32_t, 8>;
  using Nonce = std::array<std::uint32_t, 3>;

  // Keys the generator from the platform's random device and closes the device again. Throws
  // when the device cannot be opened or read.
  BlockSeeds();
  BlockSeeds(const Key& key, const Nonce& nonce);

  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return 0xFFFFFFFFu; }
  // The next seed; no system call, no allocation, no exception.
  result_type operator()() noexcept;

private:
  void Refill() noexcept;

  Key mKey{};
  Nonce mNonce{};
  std::uint32_t mCounter = 0;
  std::array<std::uint32_t, 16> mBlock{};
  int mUsed = 16;
};

// One 64-byte block of the ChaCha20 key stream (RFC 8439), as sixteen little-endian words.
void ChaCha20Block(const BlockSeeds::Key& key, std::uint32_t counter,
                   const BlockSeeds::Nonce& nonce, std::array<std::uint32_t, 16>& out) noexcept;
