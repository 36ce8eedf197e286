#include "ResourceLookup.h"
#include "ModulePath.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

TEST(ImageDensities, SearchOrder) {
  EXPECT_EQ(DensitySearchOrder(1), (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(DensitySearchOrder(2), (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(DensitySearchOrder(3), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(DensitySearchOrder(4), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(DensitySearchOrder(0), (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(DensitySearchOrder(-5), (std::vector<int>{1, 3, 2}));
}

TEST(ImageDensities, VariantNames) {
  EXPECT_EQ(DensityVariantName("Nuppi.png", 2), "Nuppi@2x.png");
  EXPECT_EQ(DensityVariantName("Nuppi.png", 1), "Nuppi.png");
  EXPECT_EQ(DensityVariantName("img/Knob.v1.png", 3), "img/Knob.v1@3x.png");
  EXPECT_EQ(DensityVariantName("folder.v2/Knob", 2), "folder.v2/Knob@2x");
  EXPECT_EQ(DensityVariantName("folder.v2\\Knob", 2), "folder.v2\\Knob@2x");
  EXPECT_EQ(DensityVariantName("Knob", 2), "Knob@2x");
  EXPECT_EQ(DensityVariantName("a.png", 12), "a@12x.pn") << "limited to the name's length + 3";
}

class ImageSearch : public ::testing::Test {
protected:
  void SetUp() override {
    SetModulePathOverride(folder.Write("Kelvora.vst3/Contents/x86_64-linux/Kelvora.so"));
    resources = folder.Path() + "/Kelvora.vst3/Contents/Resources/";
    env.Set("HOME", folder.Path().c_str());
    env.Set("XDG_CONFIG_HOME", nullptr);
  }
  void TearDown() override { SetModulePathOverride(""); }

  EResourceLocation Find(const char* name, int target) {
    return FindImageResource(name, path, target, sourceScale, "com.Murkwhale.vst3.Kelvora",
                             "Kelvora");
  }

  TestFolder folder;
  EnvironmentGuard env;
  std::string resources, path;
  int sourceScale = 0;
};

TEST_F(ImageSearch, FirstDensityFoundWins) {
  folder.Write("Kelvora.vst3/Contents/Resources/Nuppi.png");
  EXPECT_EQ(Find("Nuppi.png", 2), kFilePath);
  EXPECT_EQ(sourceScale, 1) << "only the plain file exists";
  EXPECT_EQ(path, resources + "Nuppi.png");

  folder.Write("Kelvora.vst3/Contents/Resources/Nuppi@3x.png");
  EXPECT_EQ(Find("Nuppi.png", 2), kFilePath);
  EXPECT_EQ(sourceScale, 3) << "3 is tried before 1";

  folder.Write("Kelvora.vst3/Contents/Resources/Nuppi@2x.png");
  EXPECT_EQ(Find("Nuppi.png", 2), kFilePath);
  EXPECT_EQ(sourceScale, 2);
  EXPECT_EQ(path, resources + "Nuppi@2x.png");
  EXPECT_EQ(Find("Nuppi.png", 1), kFilePath);
  EXPECT_EQ(sourceScale, 1);
}

TEST_F(ImageSearch, SharedFolderVariantsAndMisses) {
  folder.Write("Music/Kelvora/Resources/Knob@2x.png");
  EXPECT_EQ(Find("Knob.png", 1), kFilePath);
  EXPECT_EQ(sourceScale, 2);
  EXPECT_EQ(path, folder.Path() + "/Music/Kelvora/Resources/Knob@2x.png");

  path = "stale";
  EXPECT_EQ(Find("Missing.png", 2), kNotFound);
  EXPECT_EQ(path, "");
  EXPECT_EQ(Find(nullptr, 2), kNotFound);
  EXPECT_EQ(FindImageResource("Knob.png", path, 1, sourceScale, nullptr, nullptr), kNotFound)
      << "without a shared folder name only the bundle is searched";
}
