#include "Kelvora.h"

using kelvora::PairState;

const Kelvora::HistoryFamily Kelvora::kHistoryFamilies[3] = {
    {&Kelvora::outputHistory, &PairState::outputHistory, true},
    {&Kelvora::blockOutHistory, &PairState::blockOutHistory, false},
    {&Kelvora::driveHistory, &PairState::driveHistory, false},
};

const Kelvora::SlotFamily Kelvora::kSlotFamilies[5] = {
    {&Kelvora::smoothState, &PairState::smoothState},
    {&Kelvora::smoothGain, &PairState::smoothGain},
    {&Kelvora::smoothKeep, &PairState::smoothKeep},
    {&Kelvora::adaaPrevInput, &PairState::adaaPrevInput},
    {&Kelvora::adaaPrevIntegral, &PairState::adaaPrevIntegral},
};

// The low-pass carries on through the reset pass; the DC remover's coefficients are set anew
// right after it clears them.
const Kelvora::ScalarFamily Kelvora::kScalarFamilies[9] = {
    {&Kelvora::prevInput, &PairState::prevInput, false},
    {&Kelvora::postPrev, &PairState::postPrev, false},
    {&Kelvora::lastOutput, &PairState::lastOutput, false},
    {&Kelvora::trackValue, &PairState::trackValue, false},
    {&Kelvora::filterState1, &PairState::filterState1, true},
    {&Kelvora::filterState2, &PairState::filterState2, true},
    {&Kelvora::dcState, &PairState::dcState, false},
    {&Kelvora::dcGain, &PairState::dcGain, false},
    {&Kelvora::dcKeep, &PairState::dcKeep, false},
};

void Kelvora::SizeChannels(int nChans) {
  const auto n = static_cast<std::size_t>(nChans);
  for (const HistoryFamily& family : kHistoryFamilies)
    (this->*family.channels).assign(n, History{});
  for (const SlotFamily& family : kSlotFamilies)
    (this->*family.channels).assign(n, Slots{});
  for (const ScalarFamily& family : kScalarFamilies)
    (this->*family.channels).assign(n, 0.0);
}

void Kelvora::ClearChannelScalars(int ch) {
  for (const ScalarFamily& family : kScalarFamilies)
    (this->*family.channels)[ch] = 0.0;
}

void Kelvora::LoadPair(int first, int second) {
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

void Kelvora::StorePair(int first, int second) {
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
