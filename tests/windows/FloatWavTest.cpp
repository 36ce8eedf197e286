#include "FloatWav.h"
#include "TempFolder.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t{b.at(at + 3)} << 24;
}

std::uint16_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

std::string Tag(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

float Sample(const std::vector<std::uint8_t>& b, std::size_t index) {
  const std::uint32_t bits = Read32(b, 58 + 4 * index);
  float value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

AudioBuffer Audio(double rate, std::vector<std::vector<double>> channels) {
  AudioBuffer audio;
  audio.sampleRate = rate;
  audio.channels = std::move(channels);
  return audio;
}

std::vector<std::uint8_t> Encoded(const AudioBuffer& audio) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(EncodeFloatWav(audio, bytes, error)) << error;
  return bytes;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  std::FILE* file = _wfopen(WideFromUtf8(path).c_str(), L"rb");
  if (!file) return bytes;
  int c = 0;
  while ((c = std::fgetc(file)) != EOF)
    bytes.push_back(static_cast<std::uint8_t>(c));
  std::fclose(file);
  return bytes;
}

} // namespace

TEST(FloatWav, HeaderDescribesInterleavedFloatSamples) {
  const auto bytes = Encoded(Audio(48000, {{0.5, -1.0, 0.1}, {0.125, 1.5, -0.75}}));
  ASSERT_EQ(bytes.size(), 58u + 3 * 2 * 4);
  EXPECT_EQ(Tag(bytes, 0), "RIFF");
  EXPECT_EQ(Read32(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(Tag(bytes, 8), "WAVE");
  EXPECT_EQ(Tag(bytes, 12), "fmt ");
  EXPECT_EQ(Read32(bytes, 16), 18u);
  EXPECT_EQ(Read16(bytes, 20), 3u); // IEEE float
  EXPECT_EQ(Read16(bytes, 22), 2u);
  EXPECT_EQ(Read32(bytes, 24), 48000u);
  EXPECT_EQ(Read32(bytes, 28), 48000u * 8);
  EXPECT_EQ(Read16(bytes, 32), 8u);
  EXPECT_EQ(Read16(bytes, 34), 32u);
  EXPECT_EQ(Read16(bytes, 36), 0u);
  EXPECT_EQ(Tag(bytes, 38), "fact");
  EXPECT_EQ(Read32(bytes, 42), 4u);
  EXPECT_EQ(Read32(bytes, 46), 3u);
  EXPECT_EQ(Tag(bytes, 50), "data");
  EXPECT_EQ(Read32(bytes, 54), 24u);

  const float expected[] = {0.5f, 0.125f, -1.0f, 1.5f, 0.1f, -0.75f};
  for (std::size_t i = 0; i < 6; ++i)
    EXPECT_EQ(Sample(bytes, i), expected[i]) << "sample " << i;
}

TEST(FloatWav, KeepsMonoHighRatesAndEmptyAudio) {
  const auto mono = Encoded(Audio(96000, {{0.25, -0.5}}));
  ASSERT_EQ(mono.size(), 58u + 2 * 4);
  EXPECT_EQ(Read16(mono, 22), 1u);
  EXPECT_EQ(Read32(mono, 24), 96000u);
  EXPECT_EQ(Read32(mono, 28), 96000u * 4);
  EXPECT_EQ(Read16(mono, 32), 4u);
  EXPECT_EQ(Sample(mono, 1), -0.5f);

  const auto fast = Encoded(Audio(384000, {{0.0}, {0.0}}));
  ASSERT_EQ(fast.size(), 58u + 8);
  EXPECT_EQ(Read32(fast, 28), 384000u * 8);

  const auto empty = Encoded(Audio(44100, {{}, {}}));
  ASSERT_EQ(empty.size(), 58u);
  EXPECT_EQ(Read32(empty, 4), 50u);
  EXPECT_EQ(Read32(empty, 46), 0u);
  EXPECT_EQ(Read32(empty, 54), 0u);
}

TEST(FloatWav, RefusesAudioNoWavFileHolds) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const AudioBuffer refused[] = {
      Audio(48000, {}),       Audio(48000, {{0.0, 0.0}, {0.0}}), Audio(0, {{0.0}}),
      Audio(-48000, {{0.0}}), Audio(44100.5, {{0.0}}),           Audio(nan, {{0.0}}),
      Audio(inf, {{0.0}}),    Audio(2.0e9, {{0.0}, {0.0}}),
  };
  for (const AudioBuffer& audio : refused) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeFloatWav(audio, bytes, error))
        << audio.channels.size() << " channels at " << audio.sampleRate << " Hz";
    EXPECT_FALSE(error.empty());
  }
}

TEST(FloatWav, WritesTheFileAtAUtf8Path) {
  TempFolder folder;
  const AudioBuffer audio = Audio(48000, {{0.5, 0.25}, {-0.5, -0.25}});
  const std::string path = folder / "Kelvora \xC3\xA4 \xE2\x82\xAC.wav";
  std::string error;
  ASSERT_TRUE(WriteFloatWav(path, audio, error)) << error;
  EXPECT_EQ(ReadFile(path), Encoded(audio));

  const std::string nowhere = folder / "missing folder/out.wav";
  EXPECT_FALSE(WriteFloatWav(nowhere, audio, error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}
