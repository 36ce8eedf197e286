#pragma once

#include <vector>

// Planar audio: one vector of samples per channel, all of the same length.
struct AudioBuffer {
  double sampleRate = 48000.0;
  std::vector<std::vector<double>> channels;

  int NumChannels() const { return static_cast<int>(channels.size()); }
  long NumFrames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};
