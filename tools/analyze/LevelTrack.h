#pragma once

#include <vector>

// Input against output level, window by window, for a level sweep through the effect.
struct LevelPoint {
  double inputDbfs;
  double outputDbfs;
};

// Levels are RMS over each window of `window` samples, stated as the peak of a sine of that
// RMS (a full-scale sine is 0 dBFS), so that a unity path reads input = output. Both signals
// must be equally long; windows that do not fit whole are left out.
std::vector<LevelPoint> TrackLevels(const std::vector<double>& input,
                                    const std::vector<double>& output, long window);
