// One instance processing on an audio thread while the host's main thread sets parameters and
// saves and restores the state; another instance created meanwhile. Meant for ThreadSanitizer.
#include "KelvoraHost.h"
#include "ParameterChanges.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using KelvoraTestHost::KelvoraInstance;
using KelvoraTestHost::ParameterChanges;
using KelvoraTestHost::ProcessBuffers;

namespace {

constexpr int kBlocks = 400;
constexpr int kMainThreadRounds = 200;

TEST(KelvoraThreads, AudioThreadAgainstControllerAndState) {
  Vst3Module module(KELVORA_BUNDLE);
  ASSERT_TRUE(module.loaded()) << module.error();
  KelvoraInstance k(module);
  ASSERT_TRUE(k.ok() && k.start(kSample32, SpeakerArr::kStereo, 128));
  const std::vector<char> initial = k.saveState();
  ASSERT_FALSE(initial.empty());

  std::atomic<bool> allFinite{true};
  std::atomic<bool> audioDone{false};
  std::thread audio([&] {
    ProcessBuffers buffers(kSample32, 128, {2}, {2});
    auto changes = owned(new ParameterChanges);
    buffers.data().inputParameterChanges = changes;
    for (int block = 0; block < kBlocks; ++block) {
      for (int ch = 0; ch < 2; ++ch)
        for (int s = 0; s < 128; ++s)
          buffers.setInput(0, ch, s, 0.8 * std::sin(0.03 * (block * 128 + s) + ch));
      changes->clear();
      changes->add(6, 0, (block % 10) / 10.0);
      changes->add(65536, 0, block % 50 == 49 ? 1.0 : 0.0);
      k.processor->process(buffers.data());
      for (int s = 0; s < 128; ++s)
        if (!std::isfinite(buffers.output(0, 0, s))) allFinite = false;
    }
    audioDone = true;
  });

  // The main thread keeps at it for as long as audio runs, so that the two always overlap.
  for (int round = 0; round < kMainThreadRounds || !audioDone; ++round) {
    k.controller->setParamNormalized(round % 9, (round % 7) / 7.0);
    const std::vector<char> state = k.saveState();
    EXPECT_EQ(state.size(), initial.size());
    EXPECT_EQ(k.loadState(round % 2 ? state : initial), kResultOk);
    if (round == kMainThreadRounds / 2) {
      KelvoraInstance other(module);
      EXPECT_TRUE(other.ok());
    }
  }
  audio.join();
  EXPECT_TRUE(allFinite);
  EXPECT_EQ(k.saveState().size(), initial.size());
}

} // namespace
