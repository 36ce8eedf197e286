#include "SaturationChain.h"

using kelvora::PairState;

const SaturationChain::HistoryFamily SaturationChain::kHistoryFamilies[3] = {
    {&SaturationChain::outputHistory, &PairState::outputHistory, true},
    {&SaturationChain::blockOutHistory, &PairState::blockOutHistory, false},
    {&SaturationChain::driveHistory, &PairState::driveHistory, false},
};

const SaturationChain::SlotFamily SaturationChain::kSlotFamilies[5] = {
    {&SaturationChain::smoothState, &PairState::smoothState},
    {&SaturationChain::smoothGain, &PairState::smoothGain},
    {&SaturationChain::smoothKeep, &PairState::smoothKeep},
    {&SaturationChain::adaaPrevInput, &PairState::adaaPrevInput},
    {&SaturationChain::adaaPrevIntegral, &PairState::adaaPrevIntegral},
};

// The low-pass carries on through the reset pass; the DC remover's coefficients are set anew
// right after it clears them.
const SaturationChain::ScalarFamily SaturationChain::kScalarFamilies[9] = {
    {&SaturationChain::prevInput, &PairState::prevInput, false},
    {&SaturationChain::postPrev, &PairState::postPrev, false},
    {&SaturationChain::lastOutput, &PairState::lastOutput, false},
    {&SaturationChain::trackValue, &PairState::trackValue, false},
    {&SaturationChain::filterState1, &PairState::filterState1, true},
    {&SaturationChain::filterState2, &PairState::filterState2, true},
    {&SaturationChain::dcState, &PairState::dcState, false},
    {&SaturationChain::dcGain, &PairState::dcGain, false},
    {&SaturationChain::dcKeep, &PairState::dcKeep, false},
};

void SaturationChain::SizeChannels(int nChans) {
  const auto n = static_cast<std::size_t>(nChans);
  for (const HistoryFamily& family : kHistoryFamilies)
    (this->*family.channels).assign(n, History{});
  for (const SlotFamily& family : kSlotFamilies)
    (this->*family.channels).assign(n, Slots{});
  for (const ScalarFamily& family : kScalarFamilies)
    (this->*family.channels).assign(n, 0.0);
}

void SaturationChain::ClearChannelScalars(int ch) {
  for (const ScalarFamily& family : kScalarFamilies)
    (this->*family.channels)[ch] = 0.0;
}

void SaturationChain::LoadPair(int first, int second) {
  PairState& s = pairState;
  s.historyStart = 0;
  const int channels[kelvora::kLanes] = {first, second};
  for (int lane = 0; lane < kelvora::kLanes; ++lane) {
    const int ch = channels[lane];
    for (const HistoryFamily& family : kHistoryFamilies)
      for (int j = 0; j < kelvora::kHistoryLength; ++j)
        (s.*family.lanes)[j][lane] = ch < 0 ? 0.0 : (this->*family.channels)[ch][j];
    for (const SlotFamily& family : kSlotFamilies)
      for (int j = 0; j < kelvora::kSmootherSlots; ++j)
        (s.*family.lanes)[j][lane] = ch < 0 ? 0.0 : (this->*family.channels)[ch][j];
    for (const ScalarFamily& family : kScalarFamilies)
      (s.*family.lanes)[lane] = ch < 0 ? 0.0 : (this->*family.channels)[ch];
  }
}

void SaturationChain::StorePair(int first, int second) {
  const PairState& s = pairState;
  const int channels[kelvora::kLanes] = {first, second};
  for (int lane = 0; lane < kelvora::kLanes; ++lane) {
    const int ch = channels[lane];
    if (ch < 0) continue;
    // Only the shifted part of a history moves; the rest keeps what it held.
    for (const HistoryFamily& family : kHistoryFamilies)
      for (int j = 0; j < kelvora::kShiftedHistory; ++j)
        (this->*family.channels)[ch][j] =
            (s.*family.lanes)[(s.historyStart + j) & (kelvora::kHistoryLength - 1)][lane];
    for (const SlotFamily& family : kSlotFamilies)
      for (int j = 0; j < kelvora::kSmootherSlots; ++j)
        (this->*family.channels)[ch][j] = (s.*family.lanes)[j][lane];
    for (const ScalarFamily& family : kScalarFamilies)
      (this->*family.channels)[ch] = (s.*family.lanes)[lane];
  }
}
