#pragma once

#include "AudioBuffer.h"
#include "Kelvora.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Runs audio through one effect instance the way a host would: sample rate and reset first,
// then fixed-size blocks. Knows nothing about command lines or files.
class RenderEngine {
public:
  // Fraction of the input done so far, 0..1.
  using Progress = std::function<void(double)>;

  RenderEngine();
  ~RenderEngine();

  // Sets a parameter by its name (case-insensitive) to a value in its own unit; the value is
  // clamped to the parameter's range. False and a reason when no parameter has that name or
  // the value is not a number.
  bool SetParameter(const std::string& name, double value, std::string& error);
  // "Name=value" pairs, one per line, with range and current value.
  std::string DescribeParameters() const;
  // Makes every render repeat exactly: the per-block seeds come from a generator seeded here.
  void SetSeed(std::uint32_t seed);

  // Processes a mono or stereo buffer (the sample rate is the buffer's) in blocks of blockSize
  // samples; the result has the input's channel count and length.
  AudioBuffer Process(const AudioBuffer& in, int blockSize, const Progress& progress = {});

private:
  // The effect is reference counted like every VST 3 object: let go with release().
  struct Release {
    void operator()(Kelvora* effect) const;
  };
  std::unique_ptr<Kelvora, Release> effect;
};
