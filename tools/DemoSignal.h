#pragma once

#include "AudioBuffer.h"

// A short stereo piece for trying the effect without an input file: a plucked bass line under
// a four-chord progression, synthesised at the given rate. The same call gives the same
// samples.
AudioBuffer MakeDemoSignal(double sampleRate = 48000.0, double seconds = 8.0);
