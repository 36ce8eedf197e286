#pragma once

#include "Config.h"
#include "IPlugProcessor.h"

#include <vector>

// A plug-in configuration like the effect's, with the channel text and latency of a test.
inline Config ProcessorTestConfig(const char* channelIO, int latency = 0) {
  Config config{};
  config.nParams = 0;
  config.channelIOStr = channelIO;
  config.latency = latency;
  return config;
}

// The frame with a host binding's MIDI output, recording what it emits.
class TestProcessor : public IPlugProcessor {
public:
  explicit TestProcessor(const Config& config) : IPlugProcessor(config) {}

  bool EmitMidiMessage(const IMidiMsg& msg) override {
    mEmitted.push_back(msg);
    return msg.mStatus != 0;
  }

  std::vector<IMidiMsg> mEmitted;
};
