#include "ChainHarness.h"
#include "ChainTestAccess.h"
#include "EffectHarness.h"
#include "KelvoraTestAccess.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// One setting per parameter, each away from its default, so that a value handed to the chain
// under the wrong index or not at all changes the sound.
const std::pair<int, double> kMoves[] = {
    {kBypass, 1}, {kReact, 1},  {kOversampling, 2}, {kDelta, 1},  {kInputGain, 150},
    {kWet, 80},   {kTame, 0.9}, {kOutputGain, 70},  {kBias, 0.2},
};

TEST(EffectChain, RendersWhatTheChainRendersWithTheSameValues) {
  const Stereo in = TestSignal(900);
  for (double rate : {44100.0, 96000.0}) {
    KelvoraInstance instance;
    Kelvora& effect = instance.get();
    TestChain chain;
    Prepare(effect, rate);
    Prepare(chain, rate);
    EXPECT_EQ(Render(effect, in, 128).left, Render(chain, in, 128).left) << "defaults, " << rate;
    for (const auto& [idx, value] : kMoves) {
      SetParamValue(effect, idx, value);
      SetParamValue(chain, idx, value);
      const Stereo fromEffect = Render(effect, in, 300);
      const Stereo fromChain = Render(chain, in, 300);
      EXPECT_EQ(fromEffect.left, fromChain.left) << idx << ", " << rate;
      EXPECT_EQ(fromEffect.right, fromChain.right) << idx << ", " << rate;
    }
  }
}

TEST(EffectChain, EveryParameterReachesTheSound) {
  const Stereo in = TestSignal(600);
  KelvoraInstance plainInstance;
  Kelvora& plain = plainInstance.get();
  Prepare(plain, 48000);
  const std::vector<double> untouched = Render(plain, in, 200).left;
  for (const auto& [idx, value] : kMoves) {
    KelvoraInstance movedInstance;
    Kelvora& moved = movedInstance.get();
    Prepare(moved, 48000);
    SetParamValue(moved, idx, value);
    EXPECT_NE(Render(moved, in, 200).left, untouched) << idx;
  }
}

TEST(EffectChain, ResetHandsOverTheFrameRate) {
  KelvoraInstance instance;
  Kelvora& effect = instance.get();
  TestChain chain;
  for (double rate : {88200.0, 192000.0}) {
    effect.SetSampleRate(rate);
    effect.ResetProcessing();
    chain.SetSampleRate(rate);
    chain.ResetProcessing();
    EXPECT_EQ(ChainTestAccess::Tone(KelvoraTestAccess::Chain(effect)),
              ChainTestAccess::Tone(chain.Chain()))
        << rate;
    EXPECT_EQ(ChainTestAccess::GainCompensation(KelvoraTestAccess::Chain(effect)),
              ChainTestAccess::GainCompensation(chain.Chain()));
  }
}

TEST(EffectChain, SaturateIsTheChainsShaper) {
  KelvoraInstance instance;
  Kelvora& effect = instance.get();
  TestChain chain;
  for (int mode : {kelvora::kDriveMode, kelvora::kCeilingMode})
    for (double x : {0.3, -0.95, 1.4})
      EXPECT_EQ(effect.Saturate(1, mode, x, 0.7, 0.4, 2.0),
                chain.Saturate(1, mode, x, 0.7, 0.4, 2.0))
          << mode << ", " << x;
}

} // namespace
