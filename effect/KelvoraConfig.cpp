#include "KelvoraConfig.h"

namespace {

// Four characters as one code, the first in the most significant byte.
constexpr int FourCharCode(const char (&c)[5]) {
  return static_cast<int>((static_cast<unsigned>(static_cast<unsigned char>(c[0])) << 24) |
                          (static_cast<unsigned>(static_cast<unsigned char>(c[1])) << 16) |
                          (static_cast<unsigned>(static_cast<unsigned char>(c[2])) << 8) |
                          static_cast<unsigned>(static_cast<unsigned char>(c[3])));
}

} // namespace

Config KelvoraConfig() {
  Config config{};
  config.nParams = 9;
  config.nPresets = 1;
  config.channelIOStr = "1-1 2-2";
  config.pluginName = "Kelvora";
  config.productName = "Kelvora";
  config.mfrName = "Murkwhale";
  config.vendorVersion = 0x00010105;
  config.uniqueID = FourCharCode("ofzo");
  config.mfrID = FourCharCode("MKHL");
  config.latency = 0;
  config.plugDoesMidiIn = false;
  config.plugDoesMidiOut = false;
  config.plugDoesMPE = false;
  config.plugDoesChunks = false;
  config.plugType = 0;
  config.plugHasUI = true;
  config.plugWidth = 1630;
  config.plugHeight = 1010;
  config.plugMinWidth = 815;
  config.plugMaxWidth = 3260;
  config.plugMinHeight = 505;
  config.plugMaxHeight = 2020;
  config.plugHostResize = true;
  config.bundleID = "com.Murkwhale.vst3.Kelvora";
  return config;
}
