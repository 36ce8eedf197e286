#pragma once

#include "AudioBuffer.h"

// Peak and RMS over all channels, in dB relative to full scale (1.0); silence gives -inf.
struct Levels {
  double peakDb;
  double rmsDb;
};

Levels MeasureLevels(const AudioBuffer& buffer);
