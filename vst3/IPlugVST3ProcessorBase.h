#pragma once

#include "IPlugProcessor.h"
#include "MidiOutputQueue.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/vstbus.h"

#include <atomic>
#include <vector>

class IPlugAPIBase;

// The processing half of the VST 3 plug-in class: takes the host's processing setup, turns
// each ProcessData into the frame's block calls (transport, parameter changes, host bypass,
// MIDI in and out, buffers) and matches bus arrangements to the channel configurations.
class IPlugVST3ProcessorBase : public IPlugProcessor {
public:
  // Blocks and rates beyond these are refused by SetupProcessing.
  static constexpr Steinberg::int32 kMaxBlockSize = 1 << 20;
  static constexpr double kMaxSampleRate = 3072000.0;
  // Below one hertz the effect's filters are unstable.
  static constexpr double kMinSampleRate = 1.0;

  IPlugVST3ProcessorBase(const Config& config, IPlugAPIBase& plug);

  bool CanProcessSampleSize(Steinberg::int32 symbolicSize) const;
  // Stores an acceptable setup into `stored`; anything else changes nothing and returns false.
  bool SetupProcessing(const Steinberg::Vst::ProcessSetup& setup,
                       Steinberg::Vst::ProcessSetup& stored);
  void SetProcessing(bool processing);
  void SetActive(bool active);
  // One host block; `sampleSize` is the one setupProcessing recorded.
  void Process(Steinberg::Vst::ProcessData& data, Steinberg::int32 sampleSize,
               const Steinberg::Vst::BusList& inputBuses,
               const Steinberg::Vst::BusList& outputBuses);

  // Buses of the configurations with the most input and the most output buses.
  void CreateAudioBuses(Steinberg::Vst::BusList& inputBuses, Steinberg::Vst::BusList& outputBuses);
  // True when a configuration matches; the buses are then rebuilt from it, each keeping the
  // active flag its predecessor at the same index had.
  bool SetBusArrangements(const Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                          const Steinberg::Vst::SpeakerArrangement* outputs,
                          Steinberg::int32 numOuts, Steinberg::Vst::BusList& inputBuses,
                          Steinberg::Vst::BusList& outputBuses);

  // Without MIDI output there is nowhere for a message to go: it is refused.
  bool EmitMidiMessage(const IMidiMsg& msg) override;

  bool IsBypassed() const { return mBypassed.load(std::memory_order_relaxed); }
  // A restored state sets the flag here: the host sends no change for a switch it already shows.
  void SetBypassed(bool bypassed) { mBypassed.store(bypassed, std::memory_order_relaxed); }
  const Steinberg::Vst::ProcessContext& StoredProcessContext() const { return mProcessContext; }
  const MidiOutputQueue& MidiOutput() const { return mMidiOutputQueue; }

private:
  void UpdateTransport(const Steinberg::Vst::ProcessData& data);
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges& changes);
  void HandleControllerParam(Steinberg::Vst::ParamID id, Steinberg::int32 offset,
                             Steinberg::Vst::ParamValue value);
  void ProcessMidiIn(Steinberg::Vst::IEventList* events);
  void ProcessAudio(Steinberg::Vst::ProcessData& data, Steinberg::int32 sampleSize,
                    const Steinberg::Vst::BusList& inputBuses,
                    const Steinberg::Vst::BusList& outputBuses);
  // Marks and binds one piece [offset, offset + nFrames) of the host's buffers.
  void BindPiece(const Steinberg::Vst::ProcessData& data, bool is64, int offset, int nFrames,
                 const Steinberg::Vst::BusList& inputBuses,
                 const Steinberg::Vst::BusList& outputBuses);
  void BindBus(ERoute direction, const Steinberg::Vst::AudioBusBuffers& bus, int firstChannel,
               bool is64, int offset, int nFrames);
  void ProcessMidiOut(Steinberg::Vst::ProcessData& data);
  void AddAudioBuses(Steinberg::Vst::BusList& buses, ERoute direction,
                     const ChannelIOConfig& config) const;

  IPlugAPIBase& mPlug;
  int mMainInputChannels;
  std::atomic<bool> mBypassed{false};
  bool mSideChainActive = false;
  Steinberg::Vst::ProcessContext mProcessContext{};
  MidiOutputQueue mMidiOutputQueue;
  // The host's channel pointers moved to the current piece, one entry per frame channel.
  std::vector<float*> mPiece32[2];
  std::vector<double*> mPiece64[2];
  // System-exclusive output stays readable until the host has taken the block's events.
  std::vector<ISysEx> mSysExOut;
};
