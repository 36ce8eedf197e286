#include "Commands.h"
#include "PngFile.h"
#include "StandInView.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

// The stand-in's editor paints a known picture at 815 x 505 and turns "Input Gain" when dragged
// in its left half, "Wet" in its right half; both start at 0.5.
namespace {

const std::string kBundle = KELVORA_STAND_IN_BUNDLE;

ScreenImage StandInPicture() {
  ScreenImage picture;
  picture.width = StandInView::kWidth;
  picture.height = StandInView::kHeight;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t rgb = StandInView::Pixel(x, y);
      picture.rgb.insert(picture.rgb.end(),
                         {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                          static_cast<std::uint8_t>(rgb)});
    }
  }
  return picture;
}

int Editor(const std::vector<std::string>& args, std::string& output) {
  testing::internal::CaptureStdout();
  const int status = RunEditor(args);
  output = testing::internal::GetCapturedStdout();
  return status;
}

bool Has(const std::string& output, const std::string& line) {
  return output.find(line + "\n") != std::string::npos;
}

} // namespace

TEST(WindowsHostEditor, PhotographsTheEditorDragsItsKnobsAndClosesIt) {
  TempFolder folder;
  const std::string shot = folder / "editor \xC3\xA4.png";
  const std::string reference = folder / "reference.png";
  const ScreenImage picture = StandInPicture();
  ASSERT_TRUE(WritePng(reference, picture));

  std::string output;
  ASSERT_EQ(Editor({kBundle, shot, "--reference", reference}, output), 0) << output;
  EXPECT_TRUE(Has(output, "view: 815 x 505")) << output;
  EXPECT_TRUE(Has(output, "editor window: 815 x 505")) << output;
  // Which way of reading a window back works depends on the system (Wine's PrintWindow gives
  // a blank picture of a window that paints only on WM_PAINT); the first that works is taken.
  EXPECT_NE(output.find("picture: in process by "), std::string::npos) << output;
  EXPECT_NE(output.find(", written to " + shot + "; against " + reference +
                        ": mean difference 0.00 / 255, 0.00 % of pixels apart\n"),
            std::string::npos)
      << output;
  // 40 pixels are a fifth of the range, in eight moves between one press and one release.
  EXPECT_TRUE(Has(output, "drag \"Input Gain\" 40 px up at 134,168: before 0.500000 after "
                          "0.700000; host saw 1 begin, 8 perform, 1 end"))
      << output;
  EXPECT_TRUE(Has(output, "drag \"Wet\" 40 px down at 688,367: before 0.500000 after 0.300000; "
                          "host saw 1 begin, 8 perform, 1 end"))
      << output;
  EXPECT_TRUE(Has(output, "closed")) << output;

  ScreenImage written;
  ASSERT_TRUE(ReadPng(shot, written));
  EXPECT_EQ(written.width, picture.width);
  EXPECT_EQ(written.height, picture.height);
  EXPECT_TRUE(written.rgb == picture.rgb);
}

TEST(WindowsHostEditor, RefusesWhatItCannotOpen) {
  TempFolder folder;
  std::string output;
  EXPECT_EQ(Editor({kBundle}, output), 2);
  EXPECT_EQ(Editor({kBundle, folder / "shot.png", "--hold"}, output), 2);
  EXPECT_EQ(Editor({kBundle, folder / "shot.png", "--size", "2"}, output), 2);
  EXPECT_EQ(Editor({folder / "Missing.vst3", folder / "shot.png"}, output), 1);
  EXPECT_NE(output.find("cannot load"), std::string::npos) << output;
}
