#pragma once

#include "ChannelIOConfig.h"
#include "ChannelRecord.h"
#include "Config.h"
#include "ERoute.h"
#include "IMidiMsg.h"
#include "ISysEx.h"
#include "LatencyDelayLine.h"
#include "TimeInfo.h"

#include <memory>
#include <string>
#include <vector>

// The audio-processing base of a plug-in: channel configurations, one record per
// possible channel with its buffers, sample rate, block size, latency and
// transport, and the block operations the host binding drives.
//
// Buffer rule: every slot handed to RenderBlock points at valid storage. When
// any slot is scratch storage the frame count is clipped to the block size, so
// a host that sends a longer block than it announced never overruns a buffer.
// A channel the host sends no input for reads silence, in either sample size.
// What the block and pass-through operations hand to the host carries no
// subnormal numbers: they become +0 in the host's sample size.
class IPlugProcessor {
public:
  explicit IPlugProcessor(const Config& config);
  IPlugProcessor(const IPlugProcessor&) = delete;
  IPlugProcessor& operator=(const IPlugProcessor&) = delete;
  virtual ~IPlugProcessor();

  // Hooks
  virtual void RenderBlock(double** inputs, double** outputs, int nFrames);
  virtual void HandleMidiMessage(const IMidiMsg& msg);
  virtual void HandleSysEx(const ISysEx& sysEx);
  virtual void ResetProcessing();
  virtual void ActivationChanged(bool active);
  virtual bool EmitMidiMessage(const IMidiMsg& msg) = 0;
  virtual bool EmitMidiMessages(const IMidiMsg* msgs, int count);
  virtual bool EmitSysEx(const ISysEx& sysEx);
  virtual void BusLabel(ERoute direction, int busIdx, int nBuses, std::string& out) const;
  virtual void ChangeLatency(int samples);

  // Channels and buffers (audio thread)
  int NChannels(ERoute direction) const;
  int CountConnected(ERoute direction) const;
  bool IsChannelConnected(ERoute direction, int chIdx) const;
  void MarkChannels(ERoute direction, int first, int count, bool connected);
  void BindHostBuffers(ERoute direction, int first, int count, double** buffers);
  void BindHostBuffers32(ERoute direction, int first, int count, float** buffers, int nFrames);
  void RunEffectBlock(int nFrames);
  void RunEffectBlock32(int nFrames);
  void CopyThrough(int nFrames);
  void CopyThrough32(int nFrames);
  void ClearScratch();
  // The only operation that allocates channel storage; call it off the audio thread.
  void ResizeScratch(int blockSize);
  // The slot arrays as RenderBlock receives them.
  double** InputSlots() { return mInputSlots.data(); }
  double** OutputSlots() { return mOutputSlots.data(); }
  const std::string& ChannelLabel(ERoute direction, int chIdx) const;

  // Configurations
  int NIOConfigs() const { return static_cast<int>(mIOConfigs.size()); }
  const ChannelIOConfig* GetIOConfig(int idx) const;
  int LargestBusCount(ERoute direction, int* configIdx = nullptr) const;
  int LargestChannelsOnBus(ERoute direction, int busIdx) const;
  int FindConfig(const std::vector<int>& inputBusChans,
                 const std::vector<int>& outputBusChans) const;

  // Latency pass-through: a delay line of the output channel count, fed by the
  // channels that have an input, with the current latency as its length.
  void CreateLatencyDelayLine();
  const LatencyDelayLine* GetLatencyDelayLine() const { return mLatencyDelay.get(); }

  // Settings the host binding writes
  double GetSampleRate() const { return mSampleRate; }
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  int GetBlockSize() const { return mBlockSize; }
  int GetLatency() const { return mLatency; }
  int GetTailSize() const { return mTailSize; }
  void SetTailSize(int tailSize) { mTailSize = tailSize; }
  bool GetRenderingOffline() const { return mRenderingOffline; }
  void SetRenderingOffline(bool offline) { mRenderingOffline = offline; }
  const TimeInfo& GetTimeInfo() const { return mTimeInfo; }
  void SetTimeInfo(const TimeInfo& timeInfo) { mTimeInfo = timeInfo; }
  double BeatLength() const;
  int GetPlugType() const { return mPlugType; }
  bool DoesMidiIn() const { return mDoesMidiIn; }
  bool DoesMidiOut() const { return mDoesMidiOut; }
  bool DoesMPE() const { return mDoesMPE; }

private:
  // Walks the connected channels of [first, first + count) clipped to the existing ones,
  // handing each the next host pointer of buffers (null when there are none).
  template <class Sample, class Bind>
  void ForEachConnected(ERoute direction, int first, int count, Sample** buffers, Bind bind);
  std::vector<ChannelRecord>& Channels(ERoute direction);
  const std::vector<ChannelRecord>& Channels(ERoute direction) const;
  // Frame count that every slot can hold.
  int SafeFrameCount(int nFrames) const;
  // Input scratch still holding an earlier block's 32-bit input is silenced before it is read.
  void SilenceStaleInputs();
  // 64-bit host buffers: the nDone frames written are flushed, the rest up to nFrames zeroed;
  // the 32-bit ones are flushed as they are converted.
  void FinishHostOutputs(int nDone, int nFrames);
  void ConvertOutputsTo32(int nFrames);

  int mPlugType;
  bool mDoesMidiIn;
  bool mDoesMidiOut;
  bool mDoesMPE;
  int mLatency;
  double mSampleRate = 48000.0;
  int mBlockSize = 0;
  int mTailSize = 0;
  bool mRenderingOffline = false;
  std::vector<ChannelIOConfig> mIOConfigs;
  std::vector<double*> mInputSlots;
  std::vector<double*> mOutputSlots;
  std::vector<ChannelRecord> mInChannels;
  std::vector<ChannelRecord> mOutChannels;
  std::unique_ptr<LatencyDelayLine> mLatencyDelay;
  TimeInfo mTimeInfo;
};
