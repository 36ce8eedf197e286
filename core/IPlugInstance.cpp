#include "IPlugInstance.h"

#include "Refuse.h"

#include <algorithm>
#include <cmath>

IPlugInstance::IPlugInstance(const Config& config, int apiIndex)
    : IPlugAPIBase(config, apiIndex), IPlugProcessor(config) {
  MarkChannels(kInput, 0, NChannels(kInput), true);
  MarkChannels(kOutput, 0, NChannels(kOutput), true);
  if (NChannels(kInput) > 0) CreateLatencyDelayLine();
}

bool IPlugInstance::Prepare(double sampleRate, int maxBlockSize, ESampleSize sampleSize) {
  KELVORA_REFUSE_IF(sampleSize != kSamples32 && sampleSize != kSamples64, false);
  KELVORA_REFUSE_IF(maxBlockSize <= 0 || maxBlockSize > kMaxBlockSize, false);
  KELVORA_REFUSE_IF(!std::isfinite(sampleRate) || sampleRate < kMinSampleRate ||
                        sampleRate > kMaxSampleRate,
                    false);
  mSampleSize = sampleSize;
  SetSampleRate(sampleRate);
  ResizeScratch(maxBlockSize);
  ResetProcessing();
  return true;
}

void IPlugInstance::SetActive(bool active) {
  ActivationChanged(active);
}

void IPlugInstance::SetProcessing(bool processing) {
  if (!processing) ResetProcessing();
}

void IPlugInstance::DisconnectChannels() {
  MarkChannels(kInput, 0, NChannels(kInput), false);
  MarkChannels(kOutput, 0, NChannels(kOutput), false);
}

const ChannelIOConfig*
IPlugInstance::ConfigForBusChannels(const std::vector<int>& inputBusChans,
                                    const std::vector<int>& outputBusChans) const {
  if (static_cast<int>(inputBusChans.size()) > LargestBusCount(kInput) ||
      static_cast<int>(outputBusChans.size()) > LargestBusCount(kOutput))
    return nullptr;
  return GetIOConfig(FindConfig(inputBusChans, outputBusChans));
}

bool IPlugInstance::SetParamFromHost(int paramIdx, double normalized, int sampleOffset) {
  // A value that is no number says nothing about where the parameter should be.
  IParam* param = GetParam(paramIdx);
  if (!param || !std::isfinite(normalized)) return false;
  param->SetNormalized(normalized);
  ParamChangeHook(paramIdx, kSourceHost, sampleOffset);
  return true;
}

bool IPlugInstance::SetEditorParamFromHost(int paramIdx, double normalized) {
  IParam* param = GetParam(paramIdx);
  if (!param || !std::isfinite(normalized)) return false;
  param->SetNormalized(normalized);
  EditorParamChangeHook(paramIdx, kSourceHost);
  SendParamValueToEditor(paramIdx, normalized, true);
  return true;
}

bool IPlugInstance::SetBypassFromHost(double normalized) {
  if (!std::isfinite(normalized)) return false;
  const bool bypassed = normalized > 0.5;
  if (bypassed != IsBypassed()) SetBypassed(bypassed);
  return true;
}

void IPlugInstance::ProcessAudio(IHostAudioBlock& block) {
  // Buffers of another width than prepared would be read as the wrong type; the host plays
  // them all the same.
  if (block.SampleSize() != mSampleSize) {
    block.SilenceOutputs();
    return;
  }
  const int blockSize = GetBlockSize();
  const int nFrames = block.NFrames();
  const bool hasOutputs = block.HasOutputs();
  // No stale host pointer from an earlier block may stay bound.
  if (!hasOutputs) DisconnectChannels();
  if (nFrames <= 0 || blockSize <= 0 || !hasOutputs) return;

  const bool is64 = mSampleSize == kSamples64;
  const TimeInfo blockTime = GetTimeInfo();
  // A host that sends more than it announced is served in pieces of the announced size.
  for (int offset = 0; offset < nFrames; offset += blockSize) {
    const int piece = std::min(blockSize, nFrames - offset);
    if (offset > 0 && blockTime.mSamplePos >= 0.0) {
      TimeInfo pieceTime = blockTime;
      pieceTime.mSamplePos += offset;
      SetTimeInfo(pieceTime);
    }
    block.BindPiece(offset, piece);
    if (IsBypassed())
      is64 ? CopyThrough(piece) : CopyThrough32(piece);
    else
      is64 ? RunEffectBlock(piece) : RunEffectBlock32(piece);
  }
}

bool IPlugInstance::WriteHostState(IByteChunk& chunk) const {
  if (!WriteState(chunk)) return false;
  const int32_t bypassed = IsBypassed() ? 1 : 0;
  chunk.Put(bypassed);
  return true;
}

bool IPlugInstance::ReadHostState(const IByteChunk& chunk) {
  // Bytes too few to hold a whole state would leave the parameters half restored.
  IByteChunk current;
  WriteState(current);
  KELVORA_REFUSE_IF(chunk.Size() < current.Size(), false);
  const int pos = ReadState(chunk, 0);
  KELVORA_REFUSE_IF(pos < 0, false);
  int32_t bypassed = 0;
  KELVORA_REFUSE_IF(chunk.Get(bypassed, pos) < 0, false);

  SetBypassed(bypassed > 0);
  for (int i = 0; i < NParams(); ++i)
    SendParamValueToEditor(i, GetParam(i)->Normalized(), true);
  return true;
}
