#include "ProcessBuffers.h"

using namespace Steinberg;

namespace KelvoraTestHost {

ProcessBuffers::ProcessBuffers(int32 symbolicSampleSize, int32 blockSize_,
                               const std::vector<int32>& inputChannels,
                               const std::vector<int32>& outputChannels)
    : is64(symbolicSampleSize == Vst::kSample64), blockSize(blockSize_) {
  build(inputs, inputChannels);
  build(outputs, outputChannels);
  processData.processMode = Vst::kRealtime;
  processData.symbolicSampleSize = symbolicSampleSize;
  processData.numSamples = blockSize;
  processData.numInputs = static_cast<int32>(inputs.buses.size());
  processData.numOutputs = static_cast<int32>(outputs.buses.size());
  processData.inputs = inputs.buses.empty() ? nullptr : inputs.buses.data();
  processData.outputs = outputs.buses.empty() ? nullptr : outputs.buses.data();
}

void ProcessBuffers::build(Direction& direction, const std::vector<int32>& channels) {
  const size_t size = static_cast<size_t>(blockSize);
  for (int32 count : channels) {
    for (int32 c = 0; c < count; ++c) {
      direction.samples32.emplace_back(size, 0.0f);
      direction.samples64.emplace_back(size, 0.0);
    }
    direction.firstChannel.push_back(static_cast<int>(direction.samples32.size()) - count);
    direction.pointers32.emplace_back();
    direction.pointers64.emplace_back();
  }
  // Pointers are taken once every channel vector exists, so none moves afterwards.
  for (size_t bus = 0; bus < channels.size(); ++bus) {
    for (int32 c = 0; c < channels[bus]; ++c) {
      const size_t channel = static_cast<size_t>(direction.firstChannel[bus] + c);
      direction.pointers32[bus].push_back(direction.samples32[channel].data());
      direction.pointers64[bus].push_back(direction.samples64[channel].data());
    }
    Vst::AudioBusBuffers buffers{};
    buffers.numChannels = channels[bus];
    if (is64)
      buffers.channelBuffers64 = direction.pointers64[bus].data();
    else
      buffers.channelBuffers32 = direction.pointers32[bus].data();
    direction.buses.push_back(buffers);
  }
}

void ProcessBuffers::setInput(int bus, int channel, int sample, double value) {
  const size_t index =
      static_cast<size_t>(inputs.firstChannel.at(static_cast<size_t>(bus)) + channel);
  if (is64)
    inputs.samples64.at(index).at(static_cast<size_t>(sample)) = value;
  else
    inputs.samples32.at(index).at(static_cast<size_t>(sample)) = static_cast<float>(value);
}

double ProcessBuffers::read(const Direction& direction, int bus, int channel, int sample) const {
  const size_t index =
      static_cast<size_t>(direction.firstChannel.at(static_cast<size_t>(bus)) + channel);
  if (is64) return direction.samples64.at(index).at(static_cast<size_t>(sample));
  return direction.samples32.at(index).at(static_cast<size_t>(sample));
}

double ProcessBuffers::input(int bus, int channel, int sample) const {
  return read(inputs, bus, channel, sample);
}

double ProcessBuffers::output(int bus, int channel, int sample) const {
  return read(outputs, bus, channel, sample);
}

} // namespace KelvoraTestHost
