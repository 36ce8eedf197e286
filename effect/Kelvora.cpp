#include "Kelvora.h"

#include "KelvoraConfig.h"
#include "KelvoraEditor.h"

#include <utility>

Kelvora::Kelvora(const InstanceInfo& info)
    : IPlugVST3(info, KelvoraConfig()) {
  SizeChannels(2);

  const IParam::ShapeLinear linear;
  const auto unit = IParam::kUnitCustom;
  GetParam(kOutputGain)
      ->DefineDouble("Output Gain", 100., 0., 120., 0.01, "%", 0, "", linear, unit);
  GetParam(kInputGain)->DefineDouble("Input Gain", 32., 0., 200., 0.01, "%", 0, "", linear, unit);
  GetParam(kWet)->DefineDouble("Wet", 50., 0., 100., 0.01, "%", 0, "", linear, unit);
  GetParam(kTame)->DefineDouble("Tame", 0.5, 0., 1., 0.001, "", 0, "", linear, unit);
  GetParam(kBias)->DefineDouble("Bias", 0.5, 0., 1., 0.001, "", 0, "", linear, unit);
  GetParam(kBypass)->DefineDouble("Bypass", 0., 0., 1., 1., "", 0, "", linear, unit);
  GetParam(kReact)->DefineDouble("React", 0., 0., 1., 1., "", 0, "", linear, unit);
  GetParam(kOversampling)->DefineDouble("Oversampling", 0., 0., 3., 1., "", 0, "", linear, unit);
  GetParam(kDelta)->DefineDouble("Delta", 0., 0., 1., 1., "", 0, "", linear, unit);

  SizeChannels(ChannelsWanted());

  mMakeGraphicsFunc = [this] { return MakeKelvoraGraphics(*this); };
  mLayoutFunc = [this](IGraphics* g) {
    if (g) LayoutKelvoraEditor(*g, *this);
  };
}

Kelvora::~Kelvora() = default;

// The idle tick runs on the user-interface thread while blocks may be rendering: it must leave
// every processing member as it is.
void Kelvora::IdleHook() {}

void Kelvora::SetSeedSource(SeedSource source) {
  seedSource = std::move(source);
}

int Kelvora::ChannelsWanted() const {
  const int connected = CountConnected(kOutput);
  return connected >= 3 ? connected : 2;
}

int Kelvora::ChannelsInUse() const {
  return static_cast<int>(outputHistory.size());
}
