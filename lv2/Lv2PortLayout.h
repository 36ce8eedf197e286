#pragma once

#include <cstdint>

// The port numbers of an LV2 plug-in on this framework, which its description and its binding
// both follow: the audio inputs, the audio outputs, one control input per parameter in
// parameter order, then the host's bypass (lv2:enabled).
struct Lv2PortLayout {
  enum class Kind { kAudioIn, kAudioOut, kControl, kEnabled, kNone };

  int channels = 2;
  int nParams = 0;

  uint32_t AudioIn(int channel) const { return static_cast<uint32_t>(channel); }
  uint32_t AudioOut(int channel) const { return static_cast<uint32_t>(channels + channel); }
  uint32_t Control(int paramIdx) const { return static_cast<uint32_t>(2 * channels + paramIdx); }
  uint32_t Enabled() const { return static_cast<uint32_t>(2 * channels + nParams); }
  uint32_t Count() const { return Enabled() + 1; }

  // What a port number stands for; `index` is its channel or parameter (0 for the others).
  Kind KindOf(uint32_t port, int& index) const {
    const int64_t p = port;
    index = 0;
    if (p >= 2 * channels + nParams) return p == Enabled() ? Kind::kEnabled : Kind::kNone;
    if (p >= 2 * channels) {
      index = static_cast<int>(p - 2 * channels);
      return Kind::kControl;
    }
    index = static_cast<int>(p % channels);
    return p < channels ? Kind::kAudioIn : Kind::kAudioOut;
  }
};
