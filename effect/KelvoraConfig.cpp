#include "KelvoraConfig.h"

#include "KelvoraEditor.h"
#include "KelvoraIdentity.h"
#include "KelvoraParams.h"

Config KelvoraConfig() {
  Config config{};
  config.nParams = kNumParams;
  config.nPresets = 1;
  config.channelIOStr = "1-1 2-2";
  config.pluginName = kKelvoraName;
  config.productName = kKelvoraName;
  config.mfrName = kKelvoraVendor;
  config.vendorVersion = kKelvoraVendorVersion;
  config.uniqueID = static_cast<int>(kKelvoraPluginCode);
  config.mfrID = static_cast<int>(kKelvoraVendorCode);
  config.latency = 0;
  config.plugDoesMidiIn = false;
  config.plugDoesMidiOut = false;
  config.plugDoesMPE = false;
  config.plugDoesChunks = false;
  config.plugType = 0;
  config.plugHasUI = true;
  // The editor's picture size; the window may show it from half to twice that.
  config.plugWidth = kKelvoraEditorWidth;
  config.plugHeight = kKelvoraEditorHeight;
  config.plugDrawScale = kKelvoraEditorScale;
  config.plugMinWidth = kKelvoraEditorWidth / 2;
  config.plugMaxWidth = kKelvoraEditorWidth * 2;
  config.plugMinHeight = kKelvoraEditorHeight / 2;
  config.plugMaxHeight = kKelvoraEditorHeight * 2;
  config.plugHostResize = true;
  config.bundleID = kKelvoraBundleId;
  return config;
}
