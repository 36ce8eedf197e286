#include "IPlugVST3ProcessorBase.h"

#include "IPlugVST3Constants.h"
#include "Refuse.h"
#include "Utf16Text.h"

#include "pluginterfaces/base/ustring.h"

#include <algorithm>
#include <bitset>

using namespace Steinberg;
// Not the whole namespace: its kInput and kOutput would clash with the frame's.
using Steinberg::Vst::AudioBus;
using Steinberg::Vst::AudioBusBuffers;
using Steinberg::Vst::Bus;
using Steinberg::Vst::BusInfo;
using Steinberg::Vst::BusList;
using Steinberg::Vst::IParameterChanges;
using Steinberg::Vst::IParamValueQueue;
using Steinberg::Vst::kAux;
using Steinberg::Vst::kMain;
using Steinberg::Vst::kOffline;
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

ESampleSize SampleSizeOf(int32 symbolicSize) {
  if (symbolicSize == kSample32) return kSamples32;
  if (symbolicSize == kSample64) return kSamples64;
  return kSamplesOther;
}

template <class Sample> void Silence(Sample** channels, int32 nChannels, int32 nFrames) {
  for (int32 ch = 0; channels && ch < nChannels; ++ch)
    if (channels[ch]) std::fill_n(channels[ch], nFrames, Sample{0});
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

// One ProcessData as the instance asks for it.
class IPlugVST3ProcessorBase::HostBlock final : public IHostAudioBlock {
public:
  HostBlock(IPlugVST3ProcessorBase& processor, const ProcessData& data, const BusList& inputBuses,
            const BusList& outputBuses)
      : mProcessor(processor), mData(data), mInputBuses(inputBuses), mOutputBuses(outputBuses) {}

  int NFrames() const override { return mData.numSamples; }
  ESampleSize SampleSize() const override { return SampleSizeOf(mData.symbolicSampleSize); }
  bool HasOutputs() const override { return mData.numOutputs > 0 && mData.outputs; }

  void SilenceOutputs() override {
    if (!mData.outputs || mData.numSamples <= 0) return;
    for (int32 i = 0; i < mData.numOutputs; ++i) {
      const AudioBusBuffers& bus = mData.outputs[i];
      if (mData.symbolicSampleSize == kSample64)
        Silence(bus.channelBuffers64, bus.numChannels, mData.numSamples);
      else if (mData.symbolicSampleSize == kSample32)
        Silence(bus.channelBuffers32, bus.numChannels, mData.numSamples);
    }
  }

  void BindPiece(int offset, int nFrames) override {
    mProcessor.BindPiece(mData, mData.symbolicSampleSize == kSample64, offset, nFrames, mInputBuses,
                         mOutputBuses);
  }

private:
  IPlugVST3ProcessorBase& mProcessor;
  const ProcessData& mData;
  const BusList& mInputBuses;
  const BusList& mOutputBuses;
};

IPlugVST3ProcessorBase::IPlugVST3ProcessorBase(IPlugInstance& plug)
    : mPlug(plug), mMainInputChannels(plug.LargestChannelsOnBus(kInput, 0)) {
  for (ERoute direction : {kInput, kOutput}) {
    mPiece32[direction].assign(static_cast<size_t>(mPlug.NChannels(direction)), nullptr);
    mPiece64[direction].assign(static_cast<size_t>(mPlug.NChannels(direction)), nullptr);
  }
  mSysExOut.resize(IPlugAPIBase::kSysExQueueCapacity);
}

bool IPlugVST3ProcessorBase::CanProcessSampleSize(int32 symbolicSize) const {
  return symbolicSize == kSample32 || symbolicSize == kSample64;
}

bool IPlugVST3ProcessorBase::SetupProcessing(const ProcessSetup& setup, ProcessSetup& stored) {
  KELVORA_REFUSE_IF(!CanProcessSampleSize(setup.symbolicSampleSize), false);
  if (!mPlug.Prepare(setup.sampleRate, setup.maxSamplesPerBlock,
                     SampleSizeOf(setup.symbolicSampleSize)))
    return false;
  stored = setup;
  mMidiOutputQueue.Resize(setup.maxSamplesPerBlock);
  return true;
}

void IPlugVST3ProcessorBase::Process(ProcessData& data, const BusList& inputBuses,
                                     const BusList& outputBuses) {
  UpdateTransport(data);
  if (data.inputParameterChanges) ApplyParameterChanges(*data.inputParameterChanges);
  if (mPlug.DoesMidiIn()) ProcessMidiIn(data.inputEvents);
  HostBlock block(*this, data, inputBuses, outputBuses);
  mPlug.ProcessAudio(block);
  if (mPlug.DoesMidiOut()) ProcessMidiOut(data);
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
  mPlug.SetTimeInfo(info);
  mPlug.SetRenderingOffline(data.processMode == kOffline);
}

// Each queue's last point is the value the block ends on.
void IPlugVST3ProcessorBase::ApplyParameterChanges(IParameterChanges& changes) {
  const int32 nQueues = changes.getParameterCount();
  for (int32 i = 0; i < nQueues; ++i) {
    IParamValueQueue* queue = changes.getParameterData(i);
    if (!queue) continue;
    const int32 nPoints = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    if (nPoints <= 0 || queue->getPoint(nPoints - 1, offset, value) != kResultOk) continue;
    const ParamID id = queue->getParameterId();
    if (id == kBypassParamID)
      mPlug.SetBypassFromHost(value);
    else if (id < static_cast<ParamID>(mPlug.NParams()))
      mPlug.SetParamFromHost(static_cast<int>(id), value, offset);
    else if (id > kProgramListID)
      HandleControllerParam(id, offset, value);
  }
}

void IPlugVST3ProcessorBase::BindPiece(const ProcessData& data, bool is64, int offset, int nFrames,
                                       const BusList& inputBuses, const BusList& outputBuses) {
  const int32 numInputs = data.inputs ? data.numInputs : 0;
  mPlug.MarkChannels(kInput, 0, mPlug.NChannels(kInput), false);
  if (numInputs > 0) {
    const AudioBusBuffers& main = data.inputs[0];
    const bool hasSideChainBus = inputBuses.size() >= 2 && numInputs >= 2;
    const bool sideChainOn = hasSideChainBus && inputBuses[1]->isActive();
    if (sideChainOn) {
      mSideChainActive = true;
    } else if (mSideChainActive) {
      mPlug.ClearScratch();
      mSideChainActive = false;
    }
    mPlug.MarkChannels(kInput, 0, main.numChannels, true);
    if (sideChainOn)
      mPlug.MarkChannels(kInput, mMainInputChannels, data.inputs[1].numChannels, true);
    BindBus(kInput, main, 0, is64, offset, nFrames);
    if (sideChainOn) BindBus(kInput, data.inputs[1], mMainInputChannels, is64, offset, nFrames);
  }

  int channel = 0;
  const int nOutputChannels = mPlug.NChannels(kOutput);
  for (int32 i = 0; i < data.numOutputs; ++i) {
    const AudioBusBuffers& bus = data.outputs[i];
    const int n = std::max(bus.numChannels, 0);
    const bool active = i < static_cast<int32>(outputBuses.size()) && outputBuses[i]->isActive();
    mPlug.MarkChannels(kOutput, channel, n, active);
    mPlug.MarkChannels(kOutput, channel + n, nOutputChannels - (channel + n), false);
    BindBus(kOutput, bus, channel, is64, offset, nFrames);
    channel += n;
  }
}

void IPlugVST3ProcessorBase::BindBus(ERoute direction, const AudioBusBuffers& bus, int firstChannel,
                                     bool is64, int offset, int nFrames) {
  if (firstChannel < 0 || firstChannel >= mPlug.NChannels(direction)) return;
  if (is64) {
    double** buffers =
        PieceOf(bus.channelBuffers64, bus.numChannels, offset, mPiece64[direction], firstChannel);
    mPlug.BindHostBuffers(direction, firstChannel, bus.numChannels, buffers);
  } else {
    float** buffers =
        PieceOf(bus.channelBuffers32, bus.numChannels, offset, mPiece32[direction], firstChannel);
    mPlug.BindHostBuffers32(direction, firstChannel, bus.numChannels, buffers, nFrames);
  }
}

void IPlugVST3ProcessorBase::AddAudioBuses(BusList& buses, ERoute direction,
                                           const ChannelIOConfig& config) const {
  String128 name;
  std::string label;
  const int nBuses = config.NBuses(direction);
  for (int i = 0; i < nBuses; ++i) {
    mPlug.BusLabel(direction, i, nBuses, label);
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
    mPlug.LargestBusCount(direction, &configIdx);
    if (const ChannelIOConfig* config = mPlug.GetIOConfig(configIdx))
      AddAudioBuses(direction == kInput ? inputBuses : outputBuses, direction, *config);
  }
  if (mPlug.GetPlugType() == 2 && mPlug.LargestBusCount(kOutput) == 0)
    outputBuses.push_back(
        IPtr<Bus>(new AudioBus(STR16("Dummy Output"), kMain, 0, SpeakerArr::kEmpty), false));
}

bool IPlugVST3ProcessorBase::SetBusArrangements(const SpeakerArrangement* inputs, int32 numIns,
                                                const SpeakerArrangement* outputs, int32 numOuts,
                                                BusList& inputBuses, BusList& outputBuses) {
  mPlug.DisconnectChannels();
  KELVORA_REFUSE_IF(
      numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs), false);
  // Counted only for as many buses as a configuration can have.
  KELVORA_REFUSE_IF(
      numIns > mPlug.LargestBusCount(kInput) || numOuts > mPlug.LargestBusCount(kOutput), false);
  std::vector<int> inCounts, outCounts;
  for (int32 i = 0; i < numIns; ++i)
    inCounts.push_back(static_cast<int>(std::bitset<64>(inputs[i]).count()));
  for (int32 i = 0; i < numOuts; ++i)
    outCounts.push_back(static_cast<int>(std::bitset<64>(outputs[i]).count()));
  const ChannelIOConfig* config = mPlug.ConfigForBusChannels(inCounts, outCounts);
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
