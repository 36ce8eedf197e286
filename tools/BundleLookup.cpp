#include "BundleLookup.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundleName = "Kelvora.vst3";

void AddOnce(std::vector<std::string>& list, const fs::path& path) {
  const std::string text = path.lexically_normal().string();
  if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
}

} // namespace

std::vector<std::string> BundleCandidates(const BundlePlaces& places) {
  std::vector<std::string> candidates;
  // Relative folders would make the answer depend on the working directory.
  fs::path program = fs::path(places.programDir).lexically_normal();
  if (!program.has_filename()) program = program.parent_path();
  const bool haveProgram = program.is_absolute();
  // The build tree keeps the program in <build>/tools and the bundle in <build>.
  if (haveProgram) AddOnce(candidates, program.parent_path() / kBundleName);
  const fs::path home(places.home);
  if (home.is_absolute()) AddOnce(candidates, home / ".vst3" / kBundleName);
  // Installed as <prefix>/bin/kelvora-render beside <prefix>/lib/vst3.
  if (haveProgram) AddOnce(candidates, program.parent_path() / "lib" / "vst3" / kBundleName);
  for (const auto& dir : places.systemDirs)
    if (fs::path(dir).is_absolute()) AddOnce(candidates, fs::path(dir) / kBundleName);
  return candidates;
}

std::string FindBundle(const BundlePlaces& places) {
  for (const auto& candidate : BundleCandidates(places)) {
    std::error_code error;
    if (fs::is_directory(candidate, error)) return candidate;
  }
  return {};
}

std::string ProgramDirectory() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.parent_path().string();
}

std::string BundleNotFound(const BundlePlaces& places) {
  std::string message = "no Kelvora.vst3 found; looked in:";
  for (const auto& candidate : BundleCandidates(places))
    message += "\n  " + candidate;
  return message + "\nInstall the plug-in or name a bundle with --plugin.";
}

BundlePlaces ThisProgramsPlaces() {
  BundlePlaces places;
  places.programDir = ProgramDirectory();
  const char* home = std::getenv("HOME");
  places.home = home ? home : "";
  return places;
}

std::string FindThisProgramsBundle(std::string& error) {
  const BundlePlaces places = ThisProgramsPlaces();
  const std::string found = FindBundle(places);
  if (found.empty()) error = BundleNotFound(places);
  return found;
}
