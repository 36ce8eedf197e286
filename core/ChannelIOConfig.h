#pragma once

#include "ERoute.h"

#include <vector>

// One bus of a channel configuration.
struct BusChannels {
  // A bus written "*": it takes any number of channels.
  static constexpr int kWildcard = -64;

  ERoute mDirection;
  int mNChans;
};

// One accepted arrangement of input and output buses.
struct ChannelIOConfig {
  std::vector<BusChannels> mBuses[2];

  void AddBus(ERoute direction, int nChans) { mBuses[direction].push_back({direction, nChans}); }
  int NBuses(ERoute direction) const { return static_cast<int>(mBuses[direction].size()); }
  // Channel count of a bus, 0 for an index outside the list.
  int NChansOnBus(ERoute direction, int busIdx) const;
  // Sum of the bus counts, a wildcard counting as its -64 marker.
  int TotalNChannels(ERoute direction) const;
  bool ContainsWildcard(ERoute direction) const;
};

// What a channel I/O text declares, for example "1-1 2-2": blank-separated
// configurations, each "inputs-outputs" with "."-separated bus counts.
struct ChannelIOLayout {
  std::vector<ChannelIOConfig> mConfigs;
  int mMaxNInChans = 0;
  int mMaxNOutChans = 0;
  int mMaxNInBuses = 0;
  int mMaxNOutBuses = 0;
};

// Largest channel count accepted for one bus.
constexpr int kMaxChansPerBus = 256;

// Parses text (null counts as empty) into layout and returns the number of
// configurations. A token that is neither "*" nor a count from 0 to
// kMaxChansPerBus adds no bus.
int ParseChannelIO(const char* text, ChannelIOLayout& layout);
