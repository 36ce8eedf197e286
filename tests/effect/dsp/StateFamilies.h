#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

// Each per-channel state family by name: family → channel → values (one for a single number).
using StateFamilies = std::map<std::string, std::vector<std::vector<double>>>;

inline std::vector<double> StateValues(double value) {
  return {value};
}

template <std::size_t N> std::vector<double> StateValues(const std::array<double, N>& values) {
  return {values.begin(), values.end()};
}

template <typename Channel>
std::vector<std::vector<double>> PerChannel(const std::vector<Channel>& channels) {
  std::vector<std::vector<double>> all;
  for (const Channel& channel : channels)
    all.push_back(StateValues(channel));
  return all;
}

// The chain and the oracle carry the same families under the same member names; one list reads
// them from either, so that the two can never be compared under different names.
#define KELVORA_STATE_FAMILIES(FAMILY, owner)                                                      \
  FAMILY(owner, outputHistory)                                                                     \
  FAMILY(owner, blockOutHistory)                                                                   \
  FAMILY(owner, driveHistory)                                                                      \
  FAMILY(owner, smoothState)                                                                       \
  FAMILY(owner, smoothGain)                                                                        \
  FAMILY(owner, smoothKeep)                                                                        \
  FAMILY(owner, adaaPrevInput)                                                                     \
  FAMILY(owner, adaaPrevIntegral)                                                                  \
  FAMILY(owner, prevInput)                                                                         \
  FAMILY(owner, postPrev)                                                                          \
  FAMILY(owner, lastOutput)                                                                        \
  FAMILY(owner, trackValue)                                                                        \
  FAMILY(owner, filterState1)                                                                      \
  FAMILY(owner, filterState2)                                                                      \
  FAMILY(owner, dcState)                                                                           \
  FAMILY(owner, dcGain)                                                                            \
  FAMILY(owner, dcKeep)

#define KELVORA_READ_STATE_FAMILY(owner, family) {#family, PerChannel((owner).family)},

// Every state family of owner, which must be able to see its members.
#define KELVORA_NAMED_STATE(owner)                                                                 \
  StateFamilies {                                                                                  \
    KELVORA_STATE_FAMILIES(KELVORA_READ_STATE_FAMILY, owner)                                       \
  }
