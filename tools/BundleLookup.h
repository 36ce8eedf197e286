#pragma once

#include <string>
#include <vector>

// Where kelvora-render looks for Kelvora.vst3 when no --plugin is given.
struct BundlePlaces {
  std::string programDir; // folder of the running program; empty when unknown
  std::string home;       // the user's home folder; empty when unset
  std::vector<std::string> systemDirs = {"/usr/lib/vst3", "/usr/local/lib/vst3"};
};

// The bundle paths in the order they are tried: the build folder the program sits in (a
// developer wants the plug-in just built, not an older installed copy), then the user's
// ~/.vst3, then the folder beside the program's install prefix and the system-wide folders.
// User before system is the order Linux hosts search in, so the renderer plays the copy a
// DAW on the same machine would load.
std::vector<std::string> BundleCandidates(const BundlePlaces& places);

// The first candidate that is a folder; empty when none is.
std::string FindBundle(const BundlePlaces& places);

// Why no bundle was found: every candidate on a line of its own, and what to do.
std::string BundleNotFound(const BundlePlaces& places);

// The folder holding the running program; empty when the system does not say.
std::string ProgramDirectory();

// The places as seen by the running program: its own folder and $HOME.
BundlePlaces ThisProgramsPlaces();

// The bundle the running program finds in its places; empty, with BundleNotFound in error,
// when there is none.
std::string FindThisProgramsBundle(std::string& error);
