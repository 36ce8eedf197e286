#include "FloatWav.h"

#include "WideText.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint16_t kFloatFormat = 3;
constexpr std::uint32_t kBytesPerSample = 4;
// RIFF header, fmt chunk with its extension size, fact chunk, data chunk header.
constexpr std::uint64_t kHeaderBytes = 12 + 26 + 12 + 8;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool EncodeFloatWav(const AudioBuffer& audio, std::vector<std::uint8_t>& bytes,
                    std::string& error) {
  const auto channels = audio.channels.size();
  if (channels == 0 || channels > std::numeric_limits<std::uint16_t>::max() / kBytesPerSample) {
    error = "a WAV file holds 1 to 16383 channels, not " + std::to_string(channels);
    return false;
  }
  const auto frames = audio.channels[0].size();
  for (const auto& channel : audio.channels) {
    if (channel.size() != frames) {
      error = "the channels differ in length";
      return false;
    }
  }
  const auto blockAlign = static_cast<std::uint16_t>(channels * kBytesPerSample);
  // The header also holds the bytes per second, a 32-bit number too.
  const double rate = audio.sampleRate;
  if (!(rate >= 1.0 && rate * blockAlign <= std::numeric_limits<std::uint32_t>::max()) ||
      rate != std::floor(rate)) {
    error = "a WAV file cannot hold the sample rate " + std::to_string(rate) + " Hz";
    return false;
  }
  const std::uint64_t dataBytes = std::uint64_t{frames} * channels * kBytesPerSample;
  if (kHeaderBytes + dataBytes - 8 > std::numeric_limits<std::uint32_t>::max()) {
    error = "the audio is too long for a WAV file";
    return false;
  }
  const auto sampleRate = static_cast<std::uint32_t>(rate);

  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(kHeaderBytes + dataBytes));
  PutTag(bytes, "RIFF");
  Put32(bytes, static_cast<std::uint32_t>(kHeaderBytes + dataBytes - 8));
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  Put32(bytes, 18);
  Put16(bytes, kFloatFormat);
  Put16(bytes, static_cast<std::uint16_t>(channels));
  Put32(bytes, sampleRate);
  Put32(bytes, sampleRate * blockAlign);
  Put16(bytes, blockAlign);
  Put16(bytes, 32);
  Put16(bytes, 0);
  PutTag(bytes, "fact");
  Put32(bytes, 4);
  Put32(bytes, static_cast<std::uint32_t>(frames));
  PutTag(bytes, "data");
  Put32(bytes, static_cast<std::uint32_t>(dataBytes));
  for (std::size_t i = 0; i < frames; ++i) {
    for (const auto& channel : audio.channels) {
      const float sample = static_cast<float>(channel[i]);
      std::uint32_t bits = 0;
      std::memcpy(&bits, &sample, sizeof bits);
      Put32(bytes, bits);
    }
  }
  return true;
}

bool WriteFloatWav(const std::string& path, const AudioBuffer& audio, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!EncodeFloatWav(audio, bytes, error)) return false;
  std::FILE* file = _wfopen(WideFromUtf8(path).c_str(), L"wb");
  if (!file) {
    error = "cannot create " + path;
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
