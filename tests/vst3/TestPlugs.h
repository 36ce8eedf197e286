#pragma once

#include "IPlugVST3.h"

#include <vector>

// Small plug-ins on the VST 3 class, each showing one side of the binding that Kelvora's own
// configuration does not reach (groups, MIDI, enumerations, an instrument without outputs).
Config TestPlugConfig(int nParams, const char* channelIO, bool midiIn, int plugType = 0);

// Parameters A (group "Main"), B (no group), C (group "Main"), D (group "Out"), E (enumerated,
// four values) with MIDI input; records the MIDI messages and block sizes the frame receives.
class GroupedMidiPlug : public IPlugVST3 {
public:
  GroupedMidiPlug();

  void HandleMidiMessage(const IMidiMsg& msg) override { midi.push_back(msg); }
  void RenderBlock(double** inputs, double** outputs, int nFrames) override;

  std::vector<IMidiMsg> midi;
  std::vector<int> blockSizes;
};

// A plug-in of type 2 whose only configuration has no outputs, and no presets.
class NoOutputPlug : public IPlugVST3 {
public:
  NoOutputPlug();
};
