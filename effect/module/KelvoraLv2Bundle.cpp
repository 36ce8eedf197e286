#include "KelvoraLv2Bundle.h"

#include "KelvoraIdentity.h"
#include "KelvoraLv2Plugins.h"
#include "KelvoraParamTable.h"

namespace {

// The editor, embedded in the host's window and ticked by the host.
Lv2UiEntry KelvoraUi() {
  return {kKelvoraLv2UiUri,
          "ui:X11UI",
          {"ui:idleInterface", "ui:parent"},
          {"ui:resize", "ui:touch", "urid:map", "opts:options"},
          {"ui:idleInterface", "ui:resize"}};
}

} // namespace

Lv2BundleEntry KelvoraLv2Bundle(const std::string& binary, bool withUi) {
  Lv2BundleEntry bundle;
  bundle.binary = binary;
  bundle.description = kKelvoraLv2DescriptionFile;
  for (const KelvoraLv2Plugin& plugin : kKelvoraLv2Plugins)
    bundle.plugins.push_back({plugin.uri, plugin.name, plugin.channels});
  bundle.params.assign(kKelvoraParams.begin(), kKelvoraParams.end());
  bundle.pluginClass = "lv2:DistortionPlugin";
  bundle.comment = "Saturation with oversampling, a level follower, bias and a delta output.";
  bundle.projectName = kKelvoraName;
  bundle.vendor = kKelvoraVendor;
  bundle.homepage = kKelvoraUrl;
  bundle.email = kKelvoraEmail;
  bundle.licenseUri = "http://spdx.org/licenses/GPL-3.0-or-later";
  bundle.minorVersion = (kKelvoraVendorVersion >> 8) & 0xFF;
  bundle.microVersion = kKelvoraVendorVersion & 0xFF;
  if (withUi) bundle.uis.push_back(KelvoraUi());
  return bundle;
}
