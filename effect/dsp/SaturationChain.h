#pragma once

#include "BlockSeeds.h"
#include "KelvoraKernel.h"
#include "KelvoraParams.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The effect's signal processing: an oversampled, anti-aliased drive stage followed by the
// level-following "Tame"/"React" stage, "Bias", an output ceiling, decimation, the output
// low-pass, a DC remover, a soft clip and the dry/wet and "Delta" outputs. It holds every
// per-channel state family, the per-block values, the reset pass, the waveshaper, the jitter
// seeds and the kernel's channel pairs, and knows nothing of the plug-in framework: its caller
// hands it the parameter values, the sample rate and the connected outputs. So the chain is
// built, tested and measured without a host binding, a window or a font.
class SaturationChain {
public:
  // Supplies one 32-bit seed per block.
  using SeedSource = std::function<std::uint32_t()>;
  // The plain parameter values of one block, indexed by EParams.
  using ParamValues = ::ParamValues;

  // Sized for stereo. Keys the seed generator from the random device; throws when the device
  // cannot be read.
  SaturationChain();

  // Stereo unless the host connects more outputs than that.
  static int ChannelsWanted(int connectedOutputs);

  // Every state family for nChans channels, all zero. Not for the audio thread.
  void SizeChannels(int nChans);

  // Renders one block. The parameter values are read once, here, at the block start.
  void RenderBlock(const ParamValues& params, double frameRate, int connectedOutputs,
                   double** inputs, double** outputs, int nFrames);

  // Takes the host's sample rate: resizes and clears the state, loads the rate's low-pass set
  // and asks for the reset pass at the next block.
  void Reset(double frameRate, int connectedOutputs);

  // The per-sample waveshaper in one of the kelvora::SaturationMode modes; any other mode returns
  // x untouched. upperRef, lowerRef and divisor matter to the drive mode only. The block
  // processing runs the same shaper in its vector kernel.
  double Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                  double divisor);

  // Replaces the random device as the per-block seed source (renders and tests that must
  // repeat exactly); an empty source brings the random device back. Not for the audio thread.
  void SetSeedSource(SeedSource source);

private:
  friend struct ChainTestAccess;

  using History = std::array<double, kelvora::kHistoryLength>;
  using Slots = std::array<double, kelvora::kSmootherSlots>;

  // Everything derived from the parameters and the sample rate at the start of a block.
  struct BlockValues {
    float inGain, outGain, tame, bias, wet;
    bool bypassOn, reactOn, deltaOn;
    int osIndex;
    double drive, biasOffset, tameCurve;
    double jitter, jitterD;
    double inGainComp, tameC, tameKeep;
  };

  // The per-channel state, family by family. Sizing, clearing, the reset pass and the kernel's
  // channel pairs all walk these lists, so none of them can miss a family.
  struct HistoryFamily {
    std::vector<History> SaturationChain::*channels;
    kelvora::PairState::HistoryLanes kelvora::PairState::*lanes;
    bool keptByResetPass;
  };
  struct SlotFamily {
    std::vector<Slots> SaturationChain::*channels;
    kelvora::PairState::SmootherLanes kelvora::PairState::*lanes;
  };
  struct ScalarFamily {
    std::vector<double> SaturationChain::*channels;
    kelvora::PairState::Lanes kelvora::PairState::*lanes;
    bool keptByResetPass;
  };
  static const HistoryFamily kHistoryFamilies[3];
  static const SlotFamily kSlotFamilies[5];
  static const ScalarFamily kScalarFamilies[9];

  static BlockValues ReadBlockValues(const ParamValues& params);
  void RunResetPass(int osIndex, int nChans);
  double DrawJitter();
  kelvora::KernelBlock MakeKernelBlock(const BlockValues& bv) const;
  // Copies channels first and second (-1: none) into the kernel's lanes, and back.
  void LoadPair(int first, int second);
  void StorePair(int first, int second);
  void ClearChannelScalars(int ch);
  // The channels the state is sized for; the audio thread never resizes.
  int ChannelsInUse() const;
  double Adaa(int ch, int slot, double v);

  float gainCompensation = 1.0f;
  int oversamplingFactor = 1;
  bool resetPending = true;
  int lastOversamplingIndex = 0;
  double sampleRate = 0.0;
  double levelDivisor = 1.618033988749895;
  double returnMix = 0.3819660112501051;
  double holdMix = 0.6180339887498949;
  double adaaTolerance = 1e-5;

  std::vector<History> outputHistory, blockOutHistory, driveHistory;
  std::vector<Slots> smoothState, smoothGain, smoothKeep;
  std::vector<Slots> adaaPrevInput, adaaPrevIntegral;
  std::vector<double> prevInput, postPrev, lastOutput, trackValue;
  std::vector<double> filterState1, filterState2;
  std::vector<double> dcState, dcGain, dcKeep;
  // The channel pair the kernel is working on.
  kelvora::PairState pairState{};

  // Keyed from the platform's random device at construction, the one point every instance passes
  // before its first block, off the audio thread; no descriptor stays open afterwards.
  BlockSeeds randomDevice;
  SeedSource seedSource;

  double rateRatio = 1.0;
  double tameRateRatio = 2.0;
  double jitterLow = 2.0011596521816433;
  double jitterHigh = 2.0023318412286644;
  double toneB0 = 0.8132425994466649;
  double toneB1 = 1.6264851988933298;
  double toneB2 = 0.8132425994466649;
  double toneA1 = 1.5912978843171357;
  double toneA2 = 0.661672513469524;
};
