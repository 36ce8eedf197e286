// Writes the Turtle files of Kelvora.lv2 from the parameter table at build time:
//   kelvora-lv2-turtle BUNDLE_DIR MODULE_FILE_NAME [--ui]
// --ui describes the editor, for a module that has one built in.
#include "KelvoraLv2Bundle.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  std::fprintf(stderr, "kelvora-lv2-turtle: cannot write %s\n", path.c_str());
  return false;
}

} // namespace

int main(int argc, char** argv) {
  const bool withUi = argc == 4 && std::strcmp(argv[3], "--ui") == 0;
  if (argc != 3 && !withUi) {
    std::fprintf(stderr, "usage: kelvora-lv2-turtle BUNDLE_DIR MODULE_FILE_NAME [--ui]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const Lv2BundleEntry bundle = KelvoraLv2Bundle(argv[2], withUi);
  return WriteFile(folder + "/manifest.ttl", ManifestTurtle(bundle)) &&
                 WriteFile(folder + "/" + kKelvoraLv2DescriptionFile, PluginTurtle(bundle))
             ? 0
             : 1;
}
