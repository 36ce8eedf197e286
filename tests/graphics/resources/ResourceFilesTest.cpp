#include "ResourceTestGraphics.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kRoboto =
    "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf";

std::string FileContent(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class ResourceFiles : public ::testing::Test {
protected:
  TempBundle bundle;
  TestDelegate dlg;
  ResourceTestGraphics g{dlg};
};

TEST_F(ResourceFiles, ReadResourceReadsTheWholeFile) {
  const std::string content("a\0b\nc", 5);
  bundle.Resource("Data.bin", content);
  const std::vector<uint8_t> bytes = g.ReadResource("Data.bin", "bin");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);
  EXPECT_TRUE(g.ReadResource("Data.bin", "txt").empty()) << "the type must match";
  EXPECT_TRUE(g.ReadResource("Missing.bin", "bin").empty());
  bundle.Resource("Folder.bin/inside", "x");
  EXPECT_TRUE(g.ReadResource("Folder.bin", "bin").empty()) << "a folder is no resource";
}

TEST_F(ResourceFiles, FontFromTheBundle) {
  const std::string font = FileContent(kRoboto);
  ASSERT_FALSE(font.empty()) << "Roboto is installed with the build dependencies";
  bundle.Resource("Roboto-Regular.ttf", font);
  EXPECT_TRUE(g.LoadFontResource("Roboto-Regular", "Roboto-Regular.ttf"));
  EXPECT_EQ(g.registeredFonts, std::vector<std::string>{"Roboto-Regular"});
  EXPECT_EQ(g.storedFonts, std::vector<std::string>{"Roboto-Regular"});

  g.acceptFonts = false;
  EXPECT_FALSE(g.LoadFontResource("Refused", "Roboto-Regular.ttf"));
  EXPECT_EQ(g.registeredFonts.size(), 2u);
  EXPECT_EQ(g.storedFonts.size(), 1u) << "only a font the backend accepts is stored";
}

TEST_F(ResourceFiles, MissingOrBrokenFontIsNotHandedToTheBackend) {
  EXPECT_FALSE(g.LoadFontResource("Roboto-Regular", "Roboto-Regular.ttf"));
  bundle.Resource("Broken.ttf", "not a font");
  EXPECT_FALSE(g.LoadFontResource("Broken", "Broken.ttf"));
  EXPECT_TRUE(g.registeredFonts.empty());
  EXPECT_TRUE(g.storedFonts.empty());
}

TEST_F(ResourceFiles, MissingFilesAtEveryEntryPoint) {
  EXPECT_FALSE(g.LoadBitmapResource("Missing.png").IsValid());
  EXPECT_FALSE(g.LoadBitmapResource("Missing.png", 1, false, 2).IsValid());
  EXPECT_FALSE(g.BitmapAtScale(IBitmapHandle()).IsValid());
  EXPECT_TRUE(g.ReadResource("Missing.svg", "svg").empty());
  EXPECT_FALSE(g.LoadFontResource("Missing", "Missing.ttf"));
  EXPECT_FALSE(g.LoadSvgResource("Missing.svg").IsValid());
  EXPECT_TRUE(g.decodes.empty());

  EXPECT_FALSE(g.LoadBitmapResource(nullptr).IsValid());
  EXPECT_FALSE(g.LoadBitmapResource("").IsValid());
  EXPECT_TRUE(g.ReadResource(nullptr, "svg").empty());
  EXPECT_TRUE(g.ReadResource("Missing.svg", nullptr).empty());
  EXPECT_FALSE(g.LoadFontResource(nullptr, "Roboto-Regular.ttf"));
  EXPECT_FALSE(g.LoadFontResource("Roboto-Regular", nullptr));
  EXPECT_FALSE(g.LoadSvgResource(nullptr).IsValid());
  EXPECT_FALSE(g.CacheBitmap(nullptr, "x").IsValid());
  g.UncacheBitmap(IBitmapHandle());
}

} // namespace
