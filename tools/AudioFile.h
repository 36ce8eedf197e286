#pragma once

#include "AudioBuffer.h"

#include <string>

// Reads any file libsndfile understands (WAV, FLAC, AIFF, Ogg and more) into planar doubles.
// Returns false and a reason on failure.
bool ReadAudioFile(const std::string& path, AudioBuffer& out, std::string& error);

// True when the file name's extension names a type WriteAudioFile can write; else a reason.
bool OutputTypeKnown(const std::string& path, std::string& error);

// Writes by the file name's extension: .wav as 32-bit float, .flac as 24-bit, .aiff as
// 24-bit. Returns false and a reason on failure.
bool WriteAudioFile(const std::string& path, const AudioBuffer& in, std::string& error);
