#pragma once

#include <cstdint>
#include <vector>

// The signals the measurements feed the effect; all start at phase zero and repeat exactly.

// amplitude·sin(2π·hz·t).
std::vector<double> Sine(double hz, double amplitude, long frames, double sampleRate);

// A sine whose level rises linearly in dB (exponentially in amplitude) from startDbfs to
// endDbfs over the whole length; 0 dBFS is amplitude 1.
std::vector<double> LevelSweep(double hz, double startDbfs, double endDbfs, long frames,
                               double sampleRate);

// A sine whose frequency rises linearly from startHz to endHz over the whole length.
std::vector<double> LinearChirp(double startHz, double endHz, double amplitude, long frames,
                                double sampleRate);

// A sine plus white noise of the given peak amplitude, for keeping every stage busy.
std::vector<double> NoisySine(double hz, double amplitude, double noise, long frames,
                              double sampleRate, std::uint32_t seed);
