#pragma once

#include "pluginterfaces/vst/vsttypes.h"

// Parameter and list IDs the VST 3 binding reserves beside the plug-in's own parameters,
// whose IDs are their indexes.
constexpr Steinberg::Vst::ParamID kBypassParamID = 65536;
constexpr Steinberg::Vst::ProgramListID kProgramListID = 65537;
// Controller c of MIDI channel k has the ID kMIDICCParamStartIndex + k * kCountMidiCCParams + c.
constexpr Steinberg::Vst::ParamID kMIDICCParamStartIndex = 65538;
// 128 control changes, then channel pressure and pitch bend.
constexpr int kCountMidiCCParams = 130;
constexpr int kChannelPressureController = 128;
constexpr int kPitchBendController = 129;
constexpr int kMidiChannels = 16;
