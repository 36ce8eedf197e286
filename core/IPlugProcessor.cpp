#include "IPlugProcessor.h"

#include "SubnormalFlush.h"

#include <algorithm>
#include <cstdio>

namespace {
// Longest bus label.
constexpr size_t kMaxLabelLength = 32;

// Inputs copied to the outputs of the same index, other outputs silenced.
void CopyInputsToOutputs(double** inputs, int nIn, double** outputs, int nOut, int nFrames) {
  if (nFrames <= 0) return;
  for (int ch = 0; ch < nOut; ++ch) {
    double* out = outputs[ch];
    if (!out) continue;
    const double* in = ch < nIn ? inputs[ch] : nullptr;
    if (!in)
      std::fill_n(out, nFrames, 0.0);
    else if (in != out)
      std::copy_n(in, nFrames, out);
  }
}

// The channels of [first, first + count) that exist.
void ClipRange(int first, int count, int nChannels, int& begin, int& end) {
  const long long last = static_cast<long long>(first) + std::max(count, 0);
  begin = std::max(first, 0);
  end = static_cast<int>(std::min<long long>(last, nChannels));
}
} // namespace

IPlugProcessor::IPlugProcessor(const Config& config)
    : mPlugType(config.plugType), mDoesMidiIn(config.plugDoesMidiIn),
      mDoesMidiOut(config.plugDoesMidiOut), mDoesMPE(config.plugDoesMPE),
      mLatency(std::max(config.latency, 0)) {
  ChannelIOLayout layout;
  ParseChannelIO(config.channelIOStr, layout);
  mIOConfigs = std::move(layout.mConfigs);

  const int nIn = std::max(layout.mMaxNInChans, 0);
  const int nOut = std::max(layout.mMaxNOutChans, 0);
  mInputSlots.assign(static_cast<size_t>(nIn), nullptr);
  mOutputSlots.assign(static_cast<size_t>(nOut), nullptr);
  mInChannels.resize(static_cast<size_t>(nIn));
  mOutChannels.resize(static_cast<size_t>(nOut));
  for (int ch = 0; ch < nIn; ++ch) {
    mInChannels[ch].mSlot = &mInputSlots[ch];
    mInChannels[ch].mLabel = "input " + std::to_string(ch + 1);
  }
  for (int ch = 0; ch < nOut; ++ch) {
    mOutChannels[ch].mSlot = &mOutputSlots[ch];
    mOutChannels[ch].mLabel = "output " + std::to_string(ch + 1);
  }
}

IPlugProcessor::~IPlugProcessor() = default;

void IPlugProcessor::RenderBlock(double** inputs, double** outputs, int nFrames) {
  CopyInputsToOutputs(inputs, NChannels(kInput), outputs, NChannels(kOutput), nFrames);
}

void IPlugProcessor::HandleMidiMessage(const IMidiMsg& msg) {
  EmitMidiMessage(msg);
}

void IPlugProcessor::HandleSysEx(const ISysEx&) {}

void IPlugProcessor::ResetProcessing() {}

void IPlugProcessor::ActivationChanged(bool) {}

bool IPlugProcessor::EmitMidiMessages(const IMidiMsg* msgs, int count) {
  bool allSent = true;
  for (int i = 0; msgs && i < count; ++i)
    allSent = EmitMidiMessage(msgs[i]) && allSent;
  return allSent;
}

bool IPlugProcessor::EmitSysEx(const ISysEx&) {
  return false;
}

void IPlugProcessor::BusLabel(ERoute direction, int busIdx, int nBuses, std::string& out) const {
  if (direction == kOutput)
    out = nBuses == 1 ? "Output" : "Output " + std::to_string(busIdx);
  else if (nBuses == 2)
    out = busIdx == 0 ? "Main" : "Aux";
  else
    out = nBuses == 1 ? "Input" : "Input " + std::to_string(busIdx);
  if (out.size() > kMaxLabelLength) out.resize(kMaxLabelLength);
}

void IPlugProcessor::ChangeLatency(int samples) {
  mLatency = std::max(samples, 0);
  if (mLatencyDelay) mLatencyDelay->SetLength(mLatency);
}

std::vector<ChannelRecord>& IPlugProcessor::Channels(ERoute direction) {
  return direction == kInput ? mInChannels : mOutChannels;
}

const std::vector<ChannelRecord>& IPlugProcessor::Channels(ERoute direction) const {
  return direction == kInput ? mInChannels : mOutChannels;
}

int IPlugProcessor::NChannels(ERoute direction) const {
  return static_cast<int>(Channels(direction).size());
}

int IPlugProcessor::CountConnected(ERoute direction) const {
  const std::vector<ChannelRecord>& channels = Channels(direction);
  return static_cast<int>(std::count_if(channels.begin(), channels.end(),
                                        [](const ChannelRecord& ch) { return ch.mConnected; }));
}

bool IPlugProcessor::IsChannelConnected(ERoute direction, int chIdx) const {
  return chIdx >= 0 && chIdx < NChannels(direction) && Channels(direction)[chIdx].mConnected;
}

const std::string& IPlugProcessor::ChannelLabel(ERoute direction, int chIdx) const {
  static const std::string kNone;
  if (chIdx < 0 || chIdx >= NChannels(direction)) return kNone;
  return Channels(direction)[chIdx].mLabel;
}

void IPlugProcessor::MarkChannels(ERoute direction, int first, int count, bool connected) {
  std::vector<ChannelRecord>& channels = Channels(direction);
  int begin, end;
  ClipRange(first, count, NChannels(direction), begin, end);
  for (int ch = begin; ch < end; ++ch) {
    ChannelRecord& record = channels[ch];
    record.mConnected = connected;
    record.mScratchInputCurrent = false;
    // Until the host binds a buffer, even a connected channel must not keep the
    // previous block's host pointer.
    record.mHostBuffer32 = nullptr;
    record.PointSlotAtScratch();
  }
}

template <class Sample, class Bind>
void IPlugProcessor::ForEachConnected(ERoute direction, int first, int count, Sample** buffers,
                                      Bind bind) {
  std::vector<ChannelRecord>& channels = Channels(direction);
  int begin, end;
  ClipRange(first, count, NChannels(direction), begin, end);
  int hostIdx = 0;
  for (int ch = begin; ch < end; ++ch) {
    ChannelRecord& record = channels[ch];
    if (!record.mConnected) continue;
    bind(record, buffers ? buffers[hostIdx] : nullptr);
    ++hostIdx;
  }
}

void IPlugProcessor::BindHostBuffers(ERoute direction, int first, int count, double** buffers) {
  ForEachConnected(direction, first, count, buffers, [](ChannelRecord& record, double* host) {
    record.mHostBuffer32 = nullptr;
    if (host)
      *record.mSlot = host;
    else
      record.PointSlotAtScratch();
  });
}

void IPlugProcessor::BindHostBuffers32(ERoute direction, int first, int count, float** buffers,
                                       int nFrames) {
  ForEachConnected(direction, first, count, buffers, [&](ChannelRecord& record, float* host) {
    record.PointSlotAtScratch();
    if (direction == kOutput) {
      record.mHostBuffer32 = host;
      return;
    }
    record.mHostBuffer32 = nullptr;
    // Scratch storage is never grown here: a longer block is converted only as
    // far as the scratch buffer reaches.
    const int n = std::clamp(nFrames, 0, static_cast<int>(record.mScratch.size()));
    if (host)
      std::copy_n(host, n, record.mScratch.data());
    else
      std::fill_n(record.mScratch.data(), n, 0.0);
    record.mScratchHoldsInput = true;
    record.mScratchInputCurrent = true;
  });
}

int IPlugProcessor::SafeFrameCount(int nFrames) const {
  const int n = std::max(nFrames, 0);
  for (const std::vector<ChannelRecord>* channels : {&mInChannels, &mOutChannels})
    for (const ChannelRecord& record : *channels)
      if (record.SlotOnScratch()) return std::min(n, mBlockSize);
  return n;
}

void IPlugProcessor::SilenceStaleInputs() {
  for (ChannelRecord& record : mInChannels) {
    if (!record.mScratchHoldsInput || record.mScratchInputCurrent || !record.SlotOnScratch())
      continue;
    std::fill(record.mScratch.begin(), record.mScratch.end(), 0.0);
    record.mScratchHoldsInput = false;
  }
}

void IPlugProcessor::FinishHostOutputs(int nDone, int nFrames) {
  for (ChannelRecord& record : mOutChannels) {
    if (record.SlotOnScratch()) continue;
    double* out = *record.mSlot;
    for (int i = 0; i < nDone; ++i)
      out[i] = FlushSubnormal(out[i]);
    if (nFrames > nDone) std::fill(out + nDone, out + nFrames, 0.0);
  }
}

void IPlugProcessor::ConvertOutputsTo32(int nFrames) {
  for (ChannelRecord& record : mOutChannels) {
    if (!record.mConnected || !record.mHostBuffer32) continue;
    const int n = std::clamp(nFrames, 0, static_cast<int>(record.mScratch.size()));
    std::transform(record.mScratch.begin(), record.mScratch.begin() + n, record.mHostBuffer32,
                   [](double sample) { return FlushSubnormal(static_cast<float>(sample)); });
    if (nFrames > n) std::fill(record.mHostBuffer32 + n, record.mHostBuffer32 + nFrames, 0.0f);
  }
}

void IPlugProcessor::RunEffectBlock(int nFrames) {
  const int n = SafeFrameCount(nFrames);
  SilenceStaleInputs();
  RenderBlock(mInputSlots.data(), mOutputSlots.data(), n);
  FinishHostOutputs(n, nFrames);
}

void IPlugProcessor::RunEffectBlock32(int nFrames) {
  RunEffectBlock(nFrames);
  ConvertOutputsTo32(nFrames);
}

void IPlugProcessor::CopyThrough(int nFrames) {
  const int n = SafeFrameCount(nFrames);
  SilenceStaleInputs();
  if (mLatency > 0 && mLatencyDelay)
    mLatencyDelay->Process(mInputSlots.data(), mOutputSlots.data(), n);
  else
    CopyInputsToOutputs(mInputSlots.data(), NChannels(kInput), mOutputSlots.data(),
                        NChannels(kOutput), n);
  FinishHostOutputs(n, nFrames);
}

void IPlugProcessor::CopyThrough32(int nFrames) {
  CopyThrough(nFrames);
  ConvertOutputsTo32(nFrames);
}

void IPlugProcessor::ClearScratch() {
  for (std::vector<ChannelRecord>* channels : {&mInChannels, &mOutChannels}) {
    for (ChannelRecord& record : *channels) {
      std::fill(record.mScratch.begin(), record.mScratch.end(), 0.0);
      record.mScratchHoldsInput = false;
    }
  }
}

void IPlugProcessor::ResizeScratch(int blockSize) {
  blockSize = std::max(blockSize, 0);
  if (blockSize == mBlockSize) return;
  for (std::vector<ChannelRecord>* channels : {&mInChannels, &mOutChannels}) {
    for (ChannelRecord& record : *channels) {
      // Slots on the old storage follow it to the new one.
      const bool onScratch = record.SlotOnScratch();
      record.mScratch.assign(static_cast<size_t>(blockSize), 0.0);
      record.mScratchHoldsInput = false;
      if (onScratch || !record.mConnected) record.PointSlotAtScratch();
    }
  }
  mBlockSize = blockSize;
}

const ChannelIOConfig* IPlugProcessor::GetIOConfig(int idx) const {
  if (idx < 0 || idx >= NIOConfigs()) return nullptr;
  return &mIOConfigs[static_cast<size_t>(idx)];
}

int IPlugProcessor::LargestBusCount(ERoute direction, int* configIdx) const {
  int largest = -1;
  int largestIdx = -1;
  for (int i = 0; i < NIOConfigs(); ++i) {
    const int nBuses = mIOConfigs[static_cast<size_t>(i)].NBuses(direction);
    if (nBuses >= largest) {
      largest = nBuses;
      largestIdx = i;
    }
  }
  if (configIdx) *configIdx = largestIdx;
  return std::max(largest, 0);
}

int IPlugProcessor::LargestChannelsOnBus(ERoute direction, int busIdx) const {
  if (!mIOConfigs.empty() && mIOConfigs.front().ContainsWildcard(direction)) return -1;
  int largest = 0;
  for (const ChannelIOConfig& config : mIOConfigs)
    largest = std::max(largest, config.NChansOnBus(direction, busIdx));
  return largest;
}

int IPlugProcessor::FindConfig(const std::vector<int>& inputBusChans,
                               const std::vector<int>& outputBusChans) const {
  const auto matches = [](const ChannelIOConfig& config, ERoute direction,
                          const std::vector<int>& counts) {
    if (config.NBuses(direction) != static_cast<int>(counts.size())) return false;
    for (int bus = 0; bus < config.NBuses(direction); ++bus)
      if (config.NChansOnBus(direction, bus) != counts[static_cast<size_t>(bus)]) return false;
    return true;
  };
  for (int i = 0; i < NIOConfigs(); ++i) {
    const ChannelIOConfig& config = mIOConfigs[static_cast<size_t>(i)];
    if (matches(config, kInput, inputBusChans) && matches(config, kOutput, outputBusChans))
      return i;
  }
  return -1;
}

void IPlugProcessor::CreateLatencyDelayLine() {
  const int nIn = NChannels(kInput);
  const int nOut = NChannels(kOutput);
  if (nIn > 0)
    mLatencyDelay = std::make_unique<LatencyDelayLine>(nOut, std::min(nIn, nOut), mLatency);
}

double IPlugProcessor::BeatLength() const {
  return mTimeInfo.mTempo > 0.0 ? mSampleRate * 60.0 / mTimeInfo.mTempo : 0.0;
}
