#include "ChannelIOConfig.h"

#include <algorithm>
#include <charconv>
#include <string>

int ChannelIOConfig::NChansOnBus(ERoute direction, int busIdx) const {
  if (busIdx < 0 || busIdx >= NBuses(direction)) return 0;
  return mBuses[direction][static_cast<size_t>(busIdx)].mNChans;
}

int ChannelIOConfig::TotalNChannels(ERoute direction) const {
  int total = 0;
  for (const BusChannels& bus : mBuses[direction])
    total += bus.mNChans;
  return total;
}

bool ChannelIOConfig::ContainsWildcard(ERoute direction) const {
  return std::any_of(mBuses[direction].begin(), mBuses[direction].end(),
                     [](const BusChannels& bus) { return bus.mNChans == BusChannels::kWildcard; });
}

namespace {
std::vector<std::string> Split(const std::string& text, const char* separators) {
  std::vector<std::string> tokens;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find_first_of(separators, start);
    const size_t stop = end == std::string::npos ? text.size() : end;
    tokens.push_back(text.substr(start, stop - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return tokens;
}

// Channel count of a bus token: the wildcard, the leading decimal count, or 0
// (no bus) for anything else.
int BusTokenChannels(const std::string& token) {
  if (token == "*") return BusChannels::kWildcard;
  int count = 0;
  const auto result = std::from_chars(token.data(), token.data() + token.size(), count);
  if (result.ec != std::errc() || count < 0 || count > kMaxChansPerBus) return 0;
  return count;
}

void AddBuses(ChannelIOConfig& config, ERoute direction, const std::string& part) {
  if (part.empty()) return;
  for (const std::string& token : Split(part, ".")) {
    const int count = BusTokenChannels(token);
    if (count != 0) config.AddBus(direction, count);
  }
}
} // namespace

int ParseChannelIO(const char* text, ChannelIOLayout& layout) {
  layout = ChannelIOLayout();
  for (const std::string& token : Split(text ? text : "", " \t")) {
    if (token.empty()) continue;
    ChannelIOConfig config;
    const size_t dash = token.find('-');
    AddBuses(config, kInput, token.substr(0, dash));
    if (dash != std::string::npos) AddBuses(config, kOutput, token.substr(dash + 1));

    layout.mMaxNInChans = std::max(layout.mMaxNInChans, config.TotalNChannels(kInput));
    layout.mMaxNOutChans = std::max(layout.mMaxNOutChans, config.TotalNChannels(kOutput));
    layout.mMaxNInBuses = std::max(layout.mMaxNInBuses, config.NBuses(kInput));
    layout.mMaxNOutBuses = std::max(layout.mMaxNOutBuses, config.NBuses(kOutput));
    layout.mConfigs.push_back(std::move(config));
  }
  return static_cast<int>(layout.mConfigs.size());
}
