#include "IPlugVST3ProcessorBase.h"

#include "IPlugAPIBase.h"
#include "IPlugVST3Constants.h"
#include "Refuse.h"
#include "Utf16Text.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <algorithm>
#include <bitset>
#include <cmath>

using namespace Steinberg;
// Not the whole namespace: its kInput and kOutput would clash with the frame's.
using Steinberg::Vst::AudioBus;
using Steinberg::Vst::AudioBusBuffers;
using Steinberg::Vst::Bus;
using Steinberg::Vst::BusInfo;
using Steinberg::Vst::BusList;
using Steinberg::Vst::DataEvent;
using Steinberg::Vst::Event;
using Steinberg::Vst::IEventList;
using Steinberg::Vst::IParameterChanges;
using Steinberg::Vst::IParamValueQueue;
using Steinberg::Vst::kAfterTouch;
using Steinberg::Vst::kAux;
using Steinberg::Vst::kCtrlPolyPressure;
using Steinberg::Vst::kCtrlProgramChange;
using Steinberg::Vst::kMain;
using Steinberg::Vst::kOffline;
using Steinberg::Vst::kPitchBend;
using Steinberg::Vst::kSample32;
using Steinberg::Vst::kSample64;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;
using Steinberg::Vst::ProcessContext;
using Steinberg::Vst::ProcessData;
using Steinberg::Vst::ProcessSetup;
using Steinberg::Vst::SpeakerArrangement;
using Steinberg::Vst::String128;
namespace SpeakerArr = Steinberg::Vst::SpeakerArr;

namespace {

SpeakerArrangement ArrangementFor(int nChannels) {
  if (nChannels == 1) return SpeakerArr::kMono;
  if (nChannels == 2) return SpeakerArr::kStereo;
  if (nChannels <= 0 || nChannels >= 64) return SpeakerArr::kEmpty;
  return (SpeakerArrangement{1} << nChannels) - 1;
}

// A normalised value as a 7-bit MIDI data byte.
uint8_t SevenBits(double normalized) {
  return static_cast<uint8_t>(std::clamp(normalized, 0.0, 1.0) * 127.0);
}

template <class Sample> void Silence(Sample** channels, int32 nChannels, int32 nFrames) {
  for (int32 ch = 0; channels && ch < nChannels; ++ch)
    if (channels[ch]) std::fill_n(channels[ch], nFrames, Sample{0});
}

// Every output buffer the host gave, in the width it says they have.
void SilenceOutputs(const ProcessData& data) {
  if (!data.outputs || data.numSamples <= 0) return;
  for (int32 i = 0; i < data.numOutputs; ++i) {
    const AudioBusBuffers& bus = data.outputs[i];
    if (data.symbolicSampleSize == kSample64)
      Silence(bus.channelBuffers64, bus.numChannels, data.numSamples);
    else if (data.symbolicSampleSize == kSample32)
      Silence(bus.channelBuffers32, bus.numChannels, data.numSamples);
  }
}

template <class Sample>
Sample** PieceOf(Sample** host, int nChannels, int offset, std::vector<Sample*>& piece,
                 int firstSlot) {
  if (!host) return nullptr;
  const int n = std::clamp(nChannels, 0, static_cast<int>(piece.size()) - firstSlot);
  for (int ch = 0; ch < n; ++ch)
    piece[static_cast<size_t>(firstSlot + ch)] = host[ch] ? host[ch] + offset : nullptr;
  return piece.data() + firstSlot;
}

std::vector<bool> ActiveFlags(const BusList& buses) {
  std::vector<bool> active;
  for (const auto& bus : buses)
    active.push_back(bus && bus->isActive());
  return active;
}

void RestoreActiveFlags(BusList& buses, const std::vector<bool>& active) {
  for (size_t i = 0; i < buses.size() && i < active.size(); ++i)
    if (buses[i]) buses[i]->setActive(active[i]);
}

} // namespace

IPlugVST3ProcessorBase::IPlugVST3ProcessorBase(const Config& config, IPlugAPIBase& plug)
    : IPlugProcessor(config), mPlug(plug), mMainInputChannels(LargestChannelsOnBus(kInput, 0)) {
  MarkChannels(kInput, 0, NChannels(kInput), true);
  MarkChannels(kOutput, 0, NChannels(kOutput), true);
  if (NChannels(kInput) > 0) CreateLatencyDelayLine();
  for (ERoute direction : {kInput, kOutput}) {
    mPiece32[direction].assign(static_cast<size_t>(NChannels(direction)), nullptr);
    mPiece64[direction].assign(static_cast<size_t>(NChannels(direction)), nullptr);
  }
  mSysExOut.resize(IPlugAPIBase::kSysExQueueCapacity);
}

bool IPlugVST3ProcessorBase::CanProcessSampleSize(int32 symbolicSize) const {
  return symbolicSize == kSample32 || symbolicSize == kSample64;
}

bool IPlugVST3ProcessorBase::SetupProcessing(const ProcessSetup& setup, ProcessSetup& stored) {
  KELVORA_REFUSE_IF(!CanProcessSampleSize(setup.symbolicSampleSize), false);
  KELVORA_REFUSE_IF(setup.maxSamplesPerBlock <= 0 || setup.maxSamplesPerBlock > kMaxBlockSize,
                    false);
  KELVORA_REFUSE_IF(!std::isfinite(setup.sampleRate) || setup.sampleRate < kMinSampleRate ||
                        setup.sampleRate > kMaxSampleRate,
                    false);
  stored = setup;
  SetSampleRate(setup.sampleRate);
  ResizeScratch(setup.maxSamplesPerBlock);
  mMidiOutputQueue.Resize(setup.maxSamplesPerBlock);
  ResetProcessing();
  return true;
}

void IPlugVST3ProcessorBase::SetProcessing(bool processing) {
  if (!processing) ResetProcessing();
}

void IPlugVST3ProcessorBase::SetActive(bool active) {
  ActivationChanged(active);
}

void IPlugVST3ProcessorBase::Process(ProcessData& data, int32 sampleSize, const BusList& inputBuses,
                                     const BusList& outputBuses) {
  UpdateTransport(data);
  if (data.inputParameterChanges) ApplyParameterChanges(*data.inputParameterChanges);
  if (DoesMidiIn()) ProcessMidiIn(data.inputEvents);
  ProcessAudio(data, sampleSize, inputBuses, outputBuses);
  if (DoesMidiOut()) ProcessMidiOut(data);
}

void IPlugVST3ProcessorBase::UpdateTransport(const ProcessData& data) {
  if (data.processContext) mProcessContext = *data.processContext;
  const ProcessContext& context = mProcessContext;
  TimeInfo info;
  info.mTempo = context.tempo;
  info.mSamplePos = (context.state & ProcessContext::kProjectTimeMusicValid)
                        ? static_cast<double>(context.projectTimeSamples)
                        : -1.0;
  info.mPPQPos = context.projectTimeMusic;
  info.mLastBar = context.barPositionMusic;
  info.mCycleStart = context.cycleStartMusic;
  info.mCycleEnd = context.cycleEndMusic;
  info.mNumerator = context.timeSigNumerator;
  info.mDenominator = context.timeSigDenominator;
  info.mTransportIsRunning = (context.state & ProcessContext::kPlaying) != 0;
  info.mTransportLoopEnabled = (context.state & ProcessContext::kCycleActive) != 0;
  SetTimeInfo(info);
  SetRenderingOffline(data.processMode == kOffline);
}

void IPlugVST3ProcessorBase::ApplyParameterChanges(IParameterChanges& changes) {
  const int32 nQueues = changes.getParameterCount();
  for (int32 i = 0; i < nQueues; ++i) {
    IParamValueQueue* queue = changes.getParameterData(i);
    if (!queue) continue;
    const int32 nPoints = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    if (nPoints <= 0 || queue->getPoint(nPoints - 1, offset, value) != kResultOk) continue;
    // A value that is no number says nothing about where the parameter should be.
    if (!std::isfinite(value)) continue;
    const ParamID id = queue->getParameterId();
    if (id == kBypassParamID) {
      const bool bypassed = value > 0.5;
      if (bypassed != IsBypassed()) mBypassed.store(bypassed, std::memory_order_relaxed);
    } else if (id < static_cast<ParamID>(mPlug.NParams())) {
      const int paramIdx = static_cast<int>(id);
      mPlug.GetParam(paramIdx)->SetNormalized(value);
      mPlug.ParamChangeHook(paramIdx, kSourceHost, offset);
    } else if (id > kProgramListID) {
      HandleControllerParam(id, offset, value);
    }
  }
}

// The controller parameters exist only with MIDI input, and only for real MIDI channels.
void IPlugVST3ProcessorBase::HandleControllerParam(ParamID id, int32 offset, ParamValue value) {
  if (!DoesMidiIn()) return;
  const ParamID k = id - kMIDICCParamStartIndex;
  const ParamID channel = k / kCountMidiCCParams;
  const int controller = static_cast<int>(k % kCountMidiCCParams);
  if (channel >= static_cast<ParamID>(kMidiChannels)) return;
  const auto ch = static_cast<uint8_t>(channel);
  IMidiMsg msg;
  msg.mOffset = offset;
  if (controller == kPitchBendController) {
    const double bend = (std::clamp(value, 0.0, 1.0) * 2.0 - 1.0) * 8192.0;
    const int v = std::clamp(static_cast<int>(bend), -8192, 8191) + 8192;
    msg.mStatus = static_cast<uint8_t>(0xE0 | ch);
    msg.mData1 = static_cast<uint8_t>(v & 0x7F);
    msg.mData2 = static_cast<uint8_t>(v >> 7);
  } else if (controller == kChannelPressureController) {
    msg.mStatus = static_cast<uint8_t>(0xD0 | ch);
    msg.mData1 = SevenBits(value);
  } else {
    msg.mStatus = static_cast<uint8_t>(0xB0 | ch);
    msg.mData1 = static_cast<uint8_t>(controller);
    msg.mData2 = SevenBits(value);
  }
  mPlug.TransmitMidiMsgFromProcessor(msg);
  HandleMidiMessage(msg);
}

void IPlugVST3ProcessorBase::ProcessMidiIn(IEventList* events) {
  const int32 nEvents = events ? events->getEventCount() : 0;
  for (int32 i = 0; i < nEvents; ++i) {
    Event event{};
    if (events->getEvent(i, event) != kResultOk) continue;
    IMidiMsg msg;
    msg.mOffset = event.sampleOffset;
    switch (event.type) {
    case Event::kNoteOnEvent:
      msg.mStatus = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
      msg.mData1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
      msg.mData2 = SevenBits(event.noteOn.velocity);
      break;
    case Event::kNoteOffEvent:
      msg.mStatus = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
      msg.mData1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
      break;
    case Event::kPolyPressureEvent:
      msg.mStatus = static_cast<uint8_t>(0xA0 | (event.polyPressure.channel & 0x0F));
      msg.mData1 = static_cast<uint8_t>(event.polyPressure.pitch & 0x7F);
      msg.mData2 = SevenBits(event.polyPressure.pressure);
      break;
    case Event::kDataEvent:
      HandleSysEx(ISysEx(event.sampleOffset, event.data.bytes, static_cast<int>(event.data.size)));
      continue;
    default:
      continue;
    }
    HandleMidiMessage(msg);
    mPlug.TransmitMidiMsgFromProcessor(msg);
  }
  IMidiMsg fromEditor;
  while (mPlug.PopMidiMsgFromEditor(fromEditor))
    HandleMidiMessage(fromEditor);
}

void IPlugVST3ProcessorBase::ProcessAudio(ProcessData& data, int32 sampleSize,
                                          const BusList& inputBuses, const BusList& outputBuses) {
  if (!CanProcessSampleSize(sampleSize)) return;
  // Buffers of another width than announced would be read as the wrong type; the host plays
  // them all the same.
  if (data.symbolicSampleSize != sampleSize) {
    SilenceOutputs(data);
    return;
  }
  const int blockSize = GetBlockSize();
  const int nFrames = data.numSamples;
  const bool hasOutputs = data.numOutputs > 0 && data.outputs;
  if (!hasOutputs) {
    // No stale host pointer from an earlier block may stay bound.
    MarkChannels(kInput, 0, NChannels(kInput), false);
    MarkChannels(kOutput, 0, NChannels(kOutput), false);
  }
  if (nFrames <= 0 || blockSize <= 0 || !hasOutputs) return;

  const bool is64 = sampleSize == kSample64;
  const TimeInfo blockTime = GetTimeInfo();
  // A host that sends more than it announced is served in pieces of the announced size.
  for (int offset = 0; offset < nFrames; offset += blockSize) {
    const int piece = std::min(blockSize, nFrames - offset);
    if (offset > 0 && blockTime.mSamplePos >= 0.0) {
      TimeInfo pieceTime = blockTime;
      pieceTime.mSamplePos += offset;
      SetTimeInfo(pieceTime);
    }
    BindPiece(data, is64, offset, piece, inputBuses, outputBuses);
    if (IsBypassed())
      is64 ? CopyThrough(piece) : CopyThrough32(piece);
    else
      is64 ? RunEffectBlock(piece) : RunEffectBlock32(piece);
  }
}

void IPlugVST3ProcessorBase::BindPiece(const ProcessData& data, bool is64, int offset, int nFrames,
                                       const BusList& inputBuses, const BusList& outputBuses) {
  const int32 numInputs = data.inputs ? data.numInputs : 0;
  MarkChannels(kInput, 0, NChannels(kInput), false);
  if (numInputs > 0) {
    const AudioBusBuffers& main = data.inputs[0];
    const bool hasSideChainBus = inputBuses.size() >= 2 && numInputs >= 2;
    const bool sideChainOn = hasSideChainBus && inputBuses[1]->isActive();
    if (sideChainOn) {
      mSideChainActive = true;
    } else if (mSideChainActive) {
      ClearScratch();
      mSideChainActive = false;
    }
    MarkChannels(kInput, 0, main.numChannels, true);
    if (sideChainOn) MarkChannels(kInput, mMainInputChannels, data.inputs[1].numChannels, true);
    BindBus(kInput, main, 0, is64, offset, nFrames);
    if (sideChainOn) BindBus(kInput, data.inputs[1], mMainInputChannels, is64, offset, nFrames);
  }

  int channel = 0;
  for (int32 i = 0; i < data.numOutputs; ++i) {
    const AudioBusBuffers& bus = data.outputs[i];
    const int n = std::max(bus.numChannels, 0);
    const bool active = i < static_cast<int32>(outputBuses.size()) && outputBuses[i]->isActive();
    MarkChannels(kOutput, channel, n, active);
    MarkChannels(kOutput, channel + n, NChannels(kOutput) - (channel + n), false);
    BindBus(kOutput, bus, channel, is64, offset, nFrames);
    channel += n;
  }
}

void IPlugVST3ProcessorBase::BindBus(ERoute direction, const AudioBusBuffers& bus, int firstChannel,
                                     bool is64, int offset, int nFrames) {
  if (firstChannel < 0 || firstChannel >= NChannels(direction)) return;
  if (is64) {
    double** buffers =
        PieceOf(bus.channelBuffers64, bus.numChannels, offset, mPiece64[direction], firstChannel);
    BindHostBuffers(direction, firstChannel, bus.numChannels, buffers);
  } else {
    float** buffers =
        PieceOf(bus.channelBuffers32, bus.numChannels, offset, mPiece32[direction], firstChannel);
    BindHostBuffers32(direction, firstChannel, bus.numChannels, buffers, nFrames);
  }
}

void IPlugVST3ProcessorBase::ProcessMidiOut(ProcessData& data) {
  const int nMessages = mMidiOutputQueue.Size();
  for (int i = 0; data.outputEvents && i < nMessages; ++i) {
    const IMidiMsg& msg = mMidiOutputQueue.At(i);
    Event event{};
    event.busIndex = 0;
    event.sampleOffset = msg.mOffset;
    const auto channel = static_cast<int16>(msg.mStatus & 0x0F);
    const auto legacy = [&](uint8 controller, int8 value, int8 value2) {
      event.type = Event::kLegacyMIDICCOutEvent;
      event.midiCCOut.channel = static_cast<int8>(channel);
      event.midiCCOut.controlNumber = controller;
      event.midiCCOut.value = value;
      event.midiCCOut.value2 = value2;
    };
    const auto data1 = static_cast<int8>(msg.mData1);
    const auto data2 = static_cast<int8>(msg.mData2);
    switch (msg.mStatus & 0xF0) {
    case 0x80:
      event.type = Event::kNoteOffEvent;
      event.noteOff.channel = channel;
      event.noteOff.pitch = msg.mData1;
      event.noteOff.velocity = static_cast<float>(msg.mData2) / 127.f;
      event.noteOff.noteId = -1;
      break;
    case 0x90:
      event.type = Event::kNoteOnEvent;
      event.noteOn.channel = channel;
      event.noteOn.pitch = msg.mData1;
      event.noteOn.velocity = static_cast<float>(msg.mData2) / 127.f;
      event.noteOn.noteId = -1;
      break;
    case 0xA0:
      legacy(kCtrlPolyPressure, data1, data2);
      break;
    case 0xB0:
      legacy(msg.mData1, data2, 0);
      break;
    case 0xC0:
      legacy(kCtrlProgramChange, data1, 0);
      break;
    case 0xD0:
      legacy(kAfterTouch, data1, data2);
      break;
    case 0xE0:
      legacy(kPitchBend, data1, data2);
      break;
    default:
      continue;
    }
    data.outputEvents->addEvent(event);
  }
  mMidiOutputQueue.MarkSent(nMessages);
  mMidiOutputQueue.Flush(data.numSamples);

  size_t nSysEx = 0;
  while (nSysEx < mSysExOut.size() && mPlug.PopSysExFromEditor(mSysExOut[nSysEx])) {
    const ISysEx& record = mSysExOut[nSysEx++];
    if (!data.outputEvents) continue;
    Event event{};
    event.busIndex = 0;
    event.sampleOffset = record.mOffset;
    event.type = Event::kDataEvent;
    event.data.type = DataEvent::kMidiSysEx;
    event.data.size = static_cast<uint32>(record.mSize);
    event.data.bytes = record.mData;
    data.outputEvents->addEvent(event);
  }
}

bool IPlugVST3ProcessorBase::EmitMidiMessage(const IMidiMsg& msg) {
  return DoesMidiOut() && mMidiOutputQueue.Add(msg);
}

void IPlugVST3ProcessorBase::AddAudioBuses(BusList& buses, ERoute direction,
                                           const ChannelIOConfig& config) const {
  String128 name;
  std::string label;
  const int nBuses = config.NBuses(direction);
  for (int i = 0; i < nBuses; ++i) {
    BusLabel(direction, i, nBuses, label);
    Utf8ToUtf16(label.c_str(), name, 128);
    buses.push_back(
        IPtr<Bus>(new AudioBus(name, i == 0 ? kMain : kAux, i == 0 ? BusInfo::kDefaultActive : 0,
                               ArrangementFor(config.NChansOnBus(direction, i))),
                  false));
  }
}

void IPlugVST3ProcessorBase::CreateAudioBuses(BusList& inputBuses, BusList& outputBuses) {
  for (ERoute direction : {kInput, kOutput}) {
    int configIdx = -1;
    LargestBusCount(direction, &configIdx);
    if (const ChannelIOConfig* config = GetIOConfig(configIdx))
      AddAudioBuses(direction == kInput ? inputBuses : outputBuses, direction, *config);
  }
  if (GetPlugType() == 2 && LargestBusCount(kOutput) == 0)
    outputBuses.push_back(
        IPtr<Bus>(new AudioBus(STR16("Dummy Output"), kMain, 0, SpeakerArr::kEmpty), false));
}

bool IPlugVST3ProcessorBase::SetBusArrangements(const SpeakerArrangement* inputs, int32 numIns,
                                                const SpeakerArrangement* outputs, int32 numOuts,
                                                BusList& inputBuses, BusList& outputBuses) {
  MarkChannels(kInput, 0, NChannels(kInput), false);
  MarkChannels(kOutput, 0, NChannels(kOutput), false);
  KELVORA_REFUSE_IF(
      numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs), false);
  KELVORA_REFUSE_IF(numIns > LargestBusCount(kInput) || numOuts > LargestBusCount(kOutput), false);
  std::vector<int> inCounts, outCounts;
  for (int32 i = 0; i < numIns; ++i)
    inCounts.push_back(static_cast<int>(std::bitset<64>(inputs[i]).count()));
  for (int32 i = 0; i < numOuts; ++i)
    outCounts.push_back(static_cast<int>(std::bitset<64>(outputs[i]).count()));
  const ChannelIOConfig* config = GetIOConfig(FindConfig(inCounts, outCounts));
  KELVORA_REFUSE_IF(!config, false);

  // Hosts may switch the buses on before they arrange them, and not again afterwards.
  const std::vector<bool> inputsActive = ActiveFlags(inputBuses);
  const std::vector<bool> outputsActive = ActiveFlags(outputBuses);
  inputBuses.clear();
  outputBuses.clear();
  AddAudioBuses(inputBuses, kInput, *config);
  AddAudioBuses(outputBuses, kOutput, *config);
  RestoreActiveFlags(inputBuses, inputsActive);
  RestoreActiveFlags(outputBuses, outputsActive);
  return true;
}
