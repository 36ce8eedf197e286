#pragma once

#include "IPlugInstance.h"
#include "Lv2Features.h"
#include "Lv2PluginClass.h"
#include "Lv2PortLayout.h"

#include "lv2/state/state.h"

#include <array>
#include <cstdint>
#include <vector>

// The plug-in's LV2 binding: translates an LV2 host's calls into the instance's. The
// descriptor's functions (Lv2PluginClass.cpp) call these.
//
// Control ports are read at the start of each run, not sample-accurately: a port whose value
// changed since the instance last took one from it goes to SetParamFromHost (lv2:enabled to
// SetBypassFromHost), clamped into the parameter's range; a port holding no number is passed
// over. The first value taken is each parameter's default, so a port at its default changes
// nothing; a restored state stands until the host moves a port.
//
// The DSP instance has no editor: the host operations of IPlugAPIBase (edits, resize) stay the
// base's, which do nothing.
class IPlugLV2 : public IPlugInstance {
public:
  // Most bytes of state restored; the state is a small fraction of it.
  static constexpr size_t kMaxStateBytes = 64 * 1024 * 1024;

  IPlugLV2(const Lv2InstanceInfo& info, const Config& config);
  ~IPlugLV2() override;

  /** The second half of instantiate, once the effect is built: the plug-in's channels, and
   *  processing prepared for the host's rate and block length. False when the rate cannot be
   *  served. */
  bool PrepareForHost();

  // Descriptor calls
  void ConnectPort(uint32_t port, void* data);
  void Activate();
  void Deactivate();
  /** Audio thread: ports, then the block in pieces of the prepared length. */
  void Run(uint32_t nFrames);
  LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle);
  /** Refuses a missing, ill-typed or damaged property without changing anything. */
  LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

  const Lv2PortLayout& Ports() const { return mPorts; }
  int PreparedBlockLength() const { return mFeatures.blockLength; }

  // Without MIDI ports, messages have nowhere to go.
  bool EmitMidiMessage(const IMidiMsg& msg) override;

private:
  class HostBlock;

  void ApplyControlPorts();
  // The value each control port is first compared with: what the instance holds.
  void RememberInstanceValues();

  const double mSampleRate;
  const Lv2Features mFeatures;
  const LV2_URID mStateKey;
  const LV2_URID mStateType;
  const Lv2PortLayout mPorts;
  static constexpr int kMaxChannels = 2;
  std::array<float*, kMaxChannels> mAudioIn{};
  std::array<float*, kMaxChannels> mAudioOut{};
  std::vector<const float*> mControls;
  std::vector<float> mTaken;
  const float* mEnabled = nullptr;
  float mEnabledTaken = 1.f;
};
