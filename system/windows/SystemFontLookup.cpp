#include "SystemFontLookup.h"

// The editor loads its one font from the bundle; asking Windows for installed fonts would
// draw with whatever the machine has under a name the product never uses.
bool FindInstalledFontFile(const std::string& /*family*/, const std::string& /*style*/,
                           std::string& path) {
  path.clear();
  return false;
}
