#include "Kelvora.h"

#include "KelvoraConfig.h"
#include "KelvoraEditor.h"

#include <utility>

Kelvora::Kelvora(const InstanceInfo& info) : IPlugVST3(info, KelvoraConfig()) {
  const IParam::ShapeLinear linear;
  const auto unit = IParam::kUnitCustom;
  // The defaults come from the list the chain's tests and benchmark start from.
  const auto define = [&](int idx, const char* name, double min, double max, double step,
                          const char* label) {
    GetParam(idx)->DefineDouble(name, kDefaultParamValues[idx], min, max, step, label, 0, "",
                                linear, unit);
  };
  define(kOutputGain, "Output Gain", 0., 120., 0.01, "%");
  define(kInputGain, "Input Gain", 0., 200., 0.01, "%");
  define(kWet, "Wet", 0., 100., 0.01, "%");
  define(kTame, "Tame", 0., 1., 0.001, "");
  define(kBias, "Bias", 0., 1., 0.001, "");
  define(kBypass, "Bypass", 0., 1., 1., "");
  define(kReact, "React", 0., 1., 1., "");
  define(kOversampling, "Oversampling", 0., 3., 1., "");
  define(kDelta, "Delta", 0., 1., 1., "");

  // The chain was built for stereo; by now the binding has marked every output connected.
  chain.SizeChannels(SaturationChain::ChannelsWanted(CountConnected(kOutput)));

  mMakeGraphicsFunc = [this] { return MakeKelvoraGraphics(*this); };
  mLayoutFunc = [this](IGraphics* g) {
    if (g) LayoutKelvoraEditor(*g, *this);
  };
}

Kelvora::~Kelvora() = default;

SaturationChain::ParamValues Kelvora::ReadParamValues() const {
  SaturationChain::ParamValues values{};
  for (int i = 0; i < kNumParams; ++i)
    values[static_cast<std::size_t>(i)] = GetParam(i)->Value();
  return values;
}

void Kelvora::RenderBlock(double** inputs, double** outputs, int nFrames) {
  chain.RenderBlock(ReadParamValues(), GetSampleRate(), CountConnected(kOutput), inputs, outputs,
                    nFrames);
}

void Kelvora::ResetProcessing() {
  chain.Reset(GetSampleRate(), CountConnected(kOutput));
}

// The idle tick runs on the user-interface thread while blocks may be rendering: it must leave
// every processing member as it is.
void Kelvora::IdleHook() {}

double Kelvora::Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                         double divisor) {
  return chain.Saturate(channel, mode, x, upperRef, lowerRef, divisor);
}

void Kelvora::SetSeedSource(SeedSource source) {
  chain.SetSeedSource(std::move(source));
}
