#pragma once

#include "IPlugInstance.h"
#include "MidiOutputQueue.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/vstbus.h"

#include <vector>

// The processing half of the VST 3 plug-in class: translates the host's processing setup and
// each ProcessData into the instance's calls (transport, parameter changes and host bypass,
// MIDI in and out, the block's buffers) and matches bus arrangements to the channel
// configurations. The steps that are no format's own are the instance's.
class IPlugVST3ProcessorBase {
public:
  // The instance this half drives; it outlives the half.
  explicit IPlugVST3ProcessorBase(IPlugInstance& plug);
  IPlugVST3ProcessorBase(const IPlugVST3ProcessorBase&) = delete;
  IPlugVST3ProcessorBase& operator=(const IPlugVST3ProcessorBase&) = delete;
  virtual ~IPlugVST3ProcessorBase() = default;

  bool CanProcessSampleSize(Steinberg::int32 symbolicSize) const;
  // Stores an acceptable setup into `stored`; anything else changes nothing and returns false.
  bool SetupProcessing(const Steinberg::Vst::ProcessSetup& setup,
                       Steinberg::Vst::ProcessSetup& stored);
  // One host block.
  void Process(Steinberg::Vst::ProcessData& data, const Steinberg::Vst::BusList& inputBuses,
               const Steinberg::Vst::BusList& outputBuses);

  // Buses of the configurations with the most input and the most output buses.
  void CreateAudioBuses(Steinberg::Vst::BusList& inputBuses, Steinberg::Vst::BusList& outputBuses);
  // True when a configuration matches; the buses are then rebuilt from it, each keeping the
  // active flag its predecessor at the same index had.
  bool SetBusArrangements(const Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                          const Steinberg::Vst::SpeakerArrangement* outputs,
                          Steinberg::int32 numOuts, Steinberg::Vst::BusList& inputBuses,
                          Steinberg::Vst::BusList& outputBuses);

  // A message for the host's event output of this block; without MIDI output there is nowhere
  // for it to go: it is refused.
  bool QueueMidiOutput(const IMidiMsg& msg);

  const Steinberg::Vst::ProcessContext& StoredProcessContext() const { return mProcessContext; }
  const MidiOutputQueue& MidiOutput() const { return mMidiOutputQueue; }

private:
  class HostBlock;

  void UpdateTransport(const Steinberg::Vst::ProcessData& data);
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges& changes);
  // Marks and binds one piece [offset, offset + nFrames) of the host's buffers.
  void BindPiece(const Steinberg::Vst::ProcessData& data, bool is64, int offset, int nFrames,
                 const Steinberg::Vst::BusList& inputBuses,
                 const Steinberg::Vst::BusList& outputBuses);
  void BindBus(ERoute direction, const Steinberg::Vst::AudioBusBuffers& bus, int firstChannel,
               bool is64, int offset, int nFrames);
  void AddAudioBuses(Steinberg::Vst::BusList& buses, ERoute direction,
                     const ChannelIOConfig& config) const;

  // MIDI, inert without MIDI buses (IPlugVST3ProcessorMidi.cpp)
  void HandleControllerParam(Steinberg::Vst::ParamID id, Steinberg::int32 offset,
                             Steinberg::Vst::ParamValue value);
  void ProcessMidiIn(Steinberg::Vst::IEventList* events);
  void ProcessMidiOut(Steinberg::Vst::ProcessData& data);

  IPlugInstance& mPlug;
  int mMainInputChannels;
  bool mSideChainActive = false;
  Steinberg::Vst::ProcessContext mProcessContext{};
  MidiOutputQueue mMidiOutputQueue;
  // The host's channel pointers moved to the current piece, one entry per frame channel.
  std::vector<float*> mPiece32[2];
  std::vector<double*> mPiece64[2];
  // System-exclusive output stays readable until the host has taken the block's events.
  std::vector<ISysEx> mSysExOut;
};
