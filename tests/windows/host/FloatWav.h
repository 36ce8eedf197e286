#pragma once

#include "AudioBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

// A WAV file of 32-bit float samples (format 3, interleaved, little-endian, with the fact chunk
// such files carry), the form kelvora-render writes, so that the Linux tools read both alike.
// False and a reason for audio no WAV file can hold: no channels, channels of unequal length,
// a sample rate that is no positive whole number of hertz, or more than 4 GiB of samples.
bool EncodeFloatWav(const AudioBuffer& audio, std::vector<std::uint8_t>& bytes, std::string& error);

// Writes the file at a UTF-8 path.
bool WriteFloatWav(const std::string& path, const AudioBuffer& audio, std::string& error);
