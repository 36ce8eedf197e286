#include "FontLoading.h"
#include "FontBuilder.h"
#include "MemoryFont.h"
#include "ModulePath.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

using namespace testfont;

TEST(FontLoading, FromMemoryCopiesTheBytes) {
  std::vector<uint8_t> roboto = ReadRoboto();
  ASSERT_FALSE(roboto.empty());
  PlatformFontPtr font = LoadFontFromMemory("Roboto-Regular", roboto.data(), roboto.size());
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->IsSystem());
  roboto.assign(roboto.size(), 0);

  const FontDescriptor descriptor = font->NativeDescriptor();
  ASSERT_TRUE(descriptor.IsValid());
  EXPECT_EQ(descriptor.faceIndex, 0);
  EXPECT_EQ(*descriptor.data, ReadRoboto());

  const std::unique_ptr<FontFaceData> data = font->ReadFontData();
  ASSERT_TRUE(data->IsValid());
  EXPECT_EQ(data->faceIndex, 0);
  EXPECT_EQ(data->familyName, "Roboto");
  EXPECT_EQ(data->bytes, data->data.data()) << "the face info reads the owned copy";
  EXPECT_NE(data->bytes, descriptor.data->data());
}

TEST(FontLoading, RejectsWhatIsNotAFont) {
  const std::vector<uint8_t> roboto = ReadRoboto();
  EXPECT_FALSE(LoadFontFromMemory("x", nullptr, 100));
  EXPECT_FALSE(LoadFontFromMemory("x", roboto.data(), 0));
  EXPECT_FALSE(LoadFontFromMemory("x", roboto.data(), roboto.size() / 2)) << "truncated";
  const std::string text = "definitely not a font file";
  EXPECT_FALSE(LoadFontFromMemory("x", text.data(), text.size()));
}

TEST(FontLoading, FromBundleFile) {
  TestFolder folder;
  const std::vector<uint8_t> roboto = ReadRoboto();
  SetModulePathOverride(folder.Write("Kelvora.vst3/Contents/x86_64-linux/Kelvora.so"));
  folder.Write("Kelvora.vst3/Contents/Resources/Roboto-Regular.ttf",
               std::string(roboto.begin(), roboto.end()));
  folder.Write("Kelvora.vst3/Contents/Resources/Broken.ttf", "no tables here");

  PlatformFontPtr font = LoadFontFromFile("Roboto-Regular", "Roboto-Regular.ttf",
                                          "com.Murkwhale.vst3.Kelvora", "Kelvora");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->ReadFontData()->styleName, "Regular");
  EXPECT_EQ(dynamic_cast<MemoryFont&>(*font).StyleName(), "");
  EXPECT_FALSE(LoadFontFromFile("Broken", "Broken.ttf", "com.Murkwhale.vst3.Kelvora", "Kelvora"));
  EXPECT_FALSE(LoadFontFromFile("Missing", "Missing.ttf", "com.Murkwhale.vst3.Kelvora", ""));
  EXPECT_FALSE(LoadFontFromFile("Null", nullptr, nullptr, nullptr));
  EXPECT_TRUE(LoadFontFromFile("Abs", kRobotoPath, "", "")) << "absolute path";
  SetModulePathOverride("");
}

TEST(FontLoading, InstalledFamilyThroughFontconfig) {
  EXPECT_STREQ(SystemFontStyleName(1), "Bold");
  EXPECT_STREQ(SystemFontStyleName(2), "Italic");
  EXPECT_STREQ(SystemFontStyleName(0), "Regular");
  EXPECT_STREQ(SystemFontStyleName(7), "Regular");

  PlatformFontPtr regular = LoadSystemFont("Roboto-Regular", "Roboto", 0);
  ASSERT_TRUE(regular) << "fonts-roboto-unhinted is needed";
  EXPECT_TRUE(regular->IsSystem());
  EXPECT_EQ(dynamic_cast<MemoryFont&>(*regular).StyleName(), "Regular");
  std::unique_ptr<FontFaceData> data = regular->ReadFontData();
  EXPECT_EQ(data->faceIndex, 0);
  EXPECT_EQ(data->familyName, "Roboto");
  EXPECT_EQ(data->styleName, "Regular");

  PlatformFontPtr bold = LoadSystemFont("Roboto-Bold", "roboto", 1);
  ASSERT_TRUE(bold);
  EXPECT_EQ(bold->ReadFontData()->styleName, "Bold");
  EXPECT_EQ(bold->ReadFontData()->macStyle & 1, 1) << "the bold bit of the bold file";

  EXPECT_FALSE(LoadSystemFont("x", "No Such Family Kelvora", 0)) << "no substitute family";
  EXPECT_FALSE(LoadSystemFont("x", "", 0));
  EXPECT_FALSE(LoadSystemFont("x", nullptr, 0));
}

TEST(FontLoading, InstalledFontChoosesTheFaceByStyle) {
  Face regular, bold;
  bold.style = "Bold";
  auto ttc = std::make_shared<const std::vector<uint8_t>>(Collection({regular, bold}));
  MemoryFont system(ttc, true, "Bold");
  EXPECT_EQ(system.NativeDescriptor().faceIndex, 1);
  EXPECT_EQ(system.ReadFontData()->faceIndex, 1);

  MemoryFont missingStyle(ttc, true, "Black");
  std::unique_ptr<FontFaceData> data = missingStyle.ReadFontData();
  EXPECT_EQ(data->faceIndex, -1);
  EXPECT_FALSE(data->IsValid());
  EXPECT_FALSE(missingStyle.NativeDescriptor().IsValid());

  MemoryFont fromFile(ttc, false, "Bold");
  EXPECT_EQ(fromFile.ReadFontData()->faceIndex, 0) << "files and memory always use face 0";
}
