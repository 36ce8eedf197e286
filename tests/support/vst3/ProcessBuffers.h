#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <vector>

namespace KelvoraTestHost {

// Audio buffers for one process call, in 32-bit or 64-bit samples, laid out as the host hands
// them over: one AudioBusBuffers per bus, one pointer per channel. Samples are read and written
// as double whatever the width.
class ProcessBuffers {
public:
  ProcessBuffers(Steinberg::int32 symbolicSampleSize, Steinberg::int32 blockSize,
                 const std::vector<Steinberg::int32>& inputChannels,
                 const std::vector<Steinberg::int32>& outputChannels);
  ProcessBuffers(const ProcessBuffers&) = delete;
  ProcessBuffers& operator=(const ProcessBuffers&) = delete;

  // A ProcessData for a full block over these buffers; parameter changes, events and context
  // are left for the caller to attach.
  Steinberg::Vst::ProcessData& data() { return processData; }

  void setInput(int bus, int channel, int sample, double value);
  double input(int bus, int channel, int sample) const;
  double output(int bus, int channel, int sample) const;

private:
  struct Direction {
    std::vector<std::vector<float>> samples32;
    std::vector<std::vector<double>> samples64;
    std::vector<std::vector<float*>> pointers32;
    std::vector<std::vector<double*>> pointers64;
    std::vector<Steinberg::Vst::AudioBusBuffers> buses;
    std::vector<int> firstChannel;
  };
  void build(Direction& direction, const std::vector<Steinberg::int32>& channels);
  double read(const Direction& direction, int bus, int channel, int sample) const;

  bool is64;
  Steinberg::int32 blockSize;
  Direction inputs;
  Direction outputs;
  Steinberg::Vst::ProcessData processData{};
};

} // namespace KelvoraTestHost
