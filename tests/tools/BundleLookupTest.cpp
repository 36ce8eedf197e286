// Where kelvora-render finds Kelvora.vst3 without --plugin.
#include "BundleLookup.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A build tree, a home folder, an install prefix and two system folders, all in one temporary
// folder, with a bundle in each until a test removes it.
struct Places {
  TestFolder root;
  BundlePlaces places;
  std::string build, home, prefix, systemA, systemB;

  Places() {
    build = root.Path() + "/build/Kelvora.vst3";
    home = root.Path() + "/home/.vst3/Kelvora.vst3";
    prefix = root.Path() + "/opt/lib/vst3/Kelvora.vst3";
    systemA = root.Path() + "/sysA/Kelvora.vst3";
    systemB = root.Path() + "/sysB/Kelvora.vst3";
    for (const auto& bundle : {build, home, prefix, systemA, systemB})
      fs::create_directories(bundle + "/Contents/x86_64-linux");
    fs::create_directories(root.Path() + "/build/tools");
    fs::create_directories(root.Path() + "/opt/bin");
    places.home = root.Path() + "/home";
    places.systemDirs = {root.Path() + "/sysA", root.Path() + "/sysB"};
  }
};

TEST(BundleLookup, BuildTreeThenUserThenPrefixThenSystemFolders) {
  Places p;
  p.places.programDir = p.root.Path() + "/build/tools";
  EXPECT_EQ(FindBundle(p.places), p.build);
  fs::remove_all(p.build);
  EXPECT_EQ(FindBundle(p.places), p.home);
  fs::remove_all(p.home);
  EXPECT_EQ(FindBundle(p.places), p.systemA);
  fs::remove_all(p.systemA);
  EXPECT_EQ(FindBundle(p.places), p.systemB);
  fs::remove_all(p.systemB);
  EXPECT_EQ(FindBundle(p.places), "");
}

TEST(BundleLookup, InstalledProgramFindsTheBundleOfItsOwnPrefix) {
  Places p;
  p.places.programDir = p.root.Path() + "/opt/bin";
  // No build tree beside an installed program: the user's copy still comes first.
  EXPECT_EQ(FindBundle(p.places), p.home);
  fs::remove_all(p.home);
  EXPECT_EQ(FindBundle(p.places), p.prefix);
  fs::remove_all(p.prefix);
  EXPECT_EQ(FindBundle(p.places), p.systemA);
}

TEST(BundleLookup, AFileOfTheBundlesNameIsPassedOver) {
  Places p;
  p.places.programDir = p.root.Path() + "/build/tools";
  fs::remove_all(p.build);
  p.root.Write("build/Kelvora.vst3");
  fs::remove_all(p.home);
  p.root.Write("home/.vst3/Kelvora.vst3");
  EXPECT_EQ(FindBundle(p.places), p.systemA);
}

TEST(BundleLookup, CandidatesSkipUnknownAndRelativeFoldersAndRepeatNone) {
  BundlePlaces places;
  places.programDir = "/usr/bin/";
  places.home = "";
  places.systemDirs = {"/usr/lib/vst3", "relative/vst3", "/usr/local/lib/vst3/"};
  const std::vector<std::string> expected = {"/usr/Kelvora.vst3", "/usr/lib/vst3/Kelvora.vst3",
                                             "/usr/local/lib/vst3/Kelvora.vst3"};
  EXPECT_EQ(BundleCandidates(places), expected);

  places.programDir = "build/tools";
  places.home = "/home/someone/../someone";
  places.systemDirs = {};
  EXPECT_EQ(BundleCandidates(places), std::vector<std::string>{"/home/someone/.vst3/Kelvora.vst3"});
}

TEST(BundleLookup, DefaultSystemFoldersAreTheOnesLinuxHostsSearch) {
  BundlePlaces places;
  places.programDir = "";
  places.home = "/home/someone";
  const std::vector<std::string> expected = {"/home/someone/.vst3/Kelvora.vst3",
                                             "/usr/lib/vst3/Kelvora.vst3",
                                             "/usr/local/lib/vst3/Kelvora.vst3"};
  EXPECT_EQ(BundleCandidates(places), expected);
}

TEST(BundleLookup, NotFoundNamesEveryPlaceAndTheWayOut) {
  BundlePlaces places;
  places.programDir = "/opt/kelvora/bin";
  places.home = "/home/someone";
  places.systemDirs = {"/usr/lib/vst3"};
  EXPECT_EQ(BundleNotFound(places), "no Kelvora.vst3 found; looked in:\n"
                                    "  /opt/kelvora/Kelvora.vst3\n"
                                    "  /home/someone/.vst3/Kelvora.vst3\n"
                                    "  /opt/kelvora/lib/vst3/Kelvora.vst3\n"
                                    "  /usr/lib/vst3/Kelvora.vst3\n"
                                    "Install the plug-in or name a bundle with --plugin.");
}

TEST(BundleLookup, ThisProgramsPlacesFollowHomeAndTheProgramsFolder) {
  EnvironmentGuard environment;
  environment.Set("HOME", "/home/someone");
  BundlePlaces places = ThisProgramsPlaces();
  EXPECT_EQ(places.home, "/home/someone");
  EXPECT_EQ(places.programDir, ProgramDirectory());
  environment.Set("HOME", nullptr);
  places = ThisProgramsPlaces();
  EXPECT_EQ(places.home, "");
  EXPECT_EQ(places.systemDirs, BundlePlaces().systemDirs);
}

TEST(BundleLookup, ProgramDirectoryHoldsThisTestProgram) {
  const std::string dir = ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_TRUE(fs::path(dir).is_absolute());
  EXPECT_TRUE(fs::is_regular_file(fs::path(dir) / "kelvora_renderer_tests"));
}

} // namespace
