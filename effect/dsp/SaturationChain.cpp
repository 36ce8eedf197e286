#include "SaturationChain.h"

#include <utility>

SaturationChain::SaturationChain() {
  SizeChannels(2);
}

int SaturationChain::ChannelsWanted(int connectedOutputs) {
  return connectedOutputs >= 3 ? connectedOutputs : 2;
}

void SaturationChain::SetSeedSource(SeedSource source) {
  seedSource = std::move(source);
}

int SaturationChain::ChannelsInUse() const {
  return static_cast<int>(outputHistory.size());
}
