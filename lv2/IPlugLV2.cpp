#include "IPlugLV2.h"

#include "Refuse.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The framework's index for this format among the plug-in APIs (IPluginBase::GetAPIStr).
constexpr int kApiLV2 = 8;

} // namespace

// The run's ports as the instance's block: 32-bit buffers, each piece bound at its offset. An
// input port left unconnected reads silence; an output port left unconnected is not written.
class IPlugLV2::HostBlock : public IHostAudioBlock {
public:
  HostBlock(IPlugLV2& plug, int nFrames) : mPlug(plug), mFrames(nFrames) {}

  int NFrames() const override { return mFrames; }
  ESampleSize SampleSize() const override { return kSamples32; }
  bool HasOutputs() const override {
    for (int c = 0; c < mPlug.mPorts.channels; ++c)
      if (mPlug.mAudioOut[c]) return true;
    return false;
  }
  void SilenceOutputs() override {
    for (int c = 0; c < mPlug.mPorts.channels; ++c)
      if (mPlug.mAudioOut[c]) std::fill_n(mPlug.mAudioOut[c], mFrames, 0.f);
  }
  void BindPiece(int offset, int nFrames) override {
    const int channels = mPlug.mPorts.channels;
    float* inputs[kMaxChannels] = {};
    float* outputs[kMaxChannels] = {};
    int nOutputs = 0;
    mPlug.MarkChannels(kInput, 0, mPlug.NChannels(kInput), false);
    mPlug.MarkChannels(kOutput, 0, mPlug.NChannels(kOutput), false);
    mPlug.MarkChannels(kInput, 0, channels, true);
    for (int c = 0; c < channels; ++c) {
      if (mPlug.mAudioIn[c]) inputs[c] = mPlug.mAudioIn[c] + offset;
      if (!mPlug.mAudioOut[c]) continue;
      mPlug.MarkChannels(kOutput, c, 1, true);
      outputs[nOutputs++] = mPlug.mAudioOut[c] + offset;
    }
    mPlug.BindHostBuffers32(kInput, 0, channels, inputs, nFrames);
    mPlug.BindHostBuffers32(kOutput, 0, channels, outputs, nFrames);
  }

private:
  IPlugLV2& mPlug;
  const int mFrames;
};

IPlugLV2::IPlugLV2(const Lv2InstanceInfo& info, const Config& config)
    : IPlugInstance(config, kApiLV2), mSampleRate(info.sampleRate),
      mFeatures(Lv2Features::Read(info.features)),
      mStateKey(mFeatures.Map(info.pluginClass.stateKey)),
      mStateType(mFeatures.Map(info.pluginClass.stateType)), mPorts{info.pluginClass.channels,
                                                                    config.nParams},
      mControls(static_cast<size_t>(std::max(config.nParams, 0)), nullptr),
      mTaken(mControls.size(), 0.f) {}

IPlugLV2::~IPlugLV2() = default;

bool IPlugLV2::PrepareForHost() {
  const int channels = mPorts.channels;
  KELVORA_REFUSE_IF(channels < 1 || channels > kMaxChannels || channels > NChannels(kInput) ||
                        channels > NChannels(kOutput),
                    false);
  DisconnectChannels();
  MarkChannels(kInput, 0, channels, true);
  MarkChannels(kOutput, 0, channels, true);
  if (!Prepare(mSampleRate, mFeatures.blockLength, kSamples32)) return false;
  RememberInstanceValues();
  return true;
}

void IPlugLV2::ConnectPort(uint32_t port, void* data) {
  int index = 0;
  switch (mPorts.KindOf(port, index)) {
  case Lv2PortLayout::Kind::kAudioIn:
    mAudioIn[static_cast<size_t>(index)] = static_cast<float*>(data);
    break;
  case Lv2PortLayout::Kind::kAudioOut:
    mAudioOut[static_cast<size_t>(index)] = static_cast<float*>(data);
    break;
  case Lv2PortLayout::Kind::kControl:
    mControls[static_cast<size_t>(index)] = static_cast<const float*>(data);
    break;
  case Lv2PortLayout::Kind::kEnabled:
    mEnabled = static_cast<const float*>(data);
    break;
  case Lv2PortLayout::Kind::kNone:
    break;
  }
}

void IPlugLV2::Activate() {
  SetActive(true);
}

// Stopping resets the processing, so the next activation starts from silence.
void IPlugLV2::Deactivate() {
  SetProcessing(false);
  SetActive(false);
}

void IPlugLV2::Run(uint32_t nFrames) {
  ApplyControlPorts();
  HostBlock block(*this, static_cast<int>(std::min<uint32_t>(nFrames, INT_MAX)));
  ProcessAudio(block);
}

void IPlugLV2::ApplyControlPorts() {
  for (size_t i = 0; i < mControls.size(); ++i) {
    if (!mControls[i]) continue;
    const float value = *mControls[i];
    if (value == mTaken[i] || std::isnan(value)) continue;
    mTaken[i] = value;
    const int paramIdx = static_cast<int>(i);
    const IParam* param = GetParam(paramIdx);
    const double plain = std::clamp(static_cast<double>(value), param->Min(), param->Max());
    SetParamFromHost(paramIdx, param->NormalizedFromValue(plain), 0);
  }
  if (!mEnabled) return;
  const float enabled = *mEnabled;
  if (enabled == mEnabledTaken || std::isnan(enabled)) return;
  mEnabledTaken = enabled;
  SetBypassFromHost(enabled > 0.5f ? 0.0 : 1.0);
}

void IPlugLV2::RememberInstanceValues() {
  for (size_t i = 0; i < mTaken.size(); ++i)
    mTaken[i] = static_cast<float>(GetParam(static_cast<int>(i))->Value());
  mEnabledTaken = IsBypassed() ? 0.f : 1.f;
}

bool IPlugLV2::EmitMidiMessage(const IMidiMsg&) {
  return false;
}
