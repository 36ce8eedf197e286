#include "ResourceTestGraphics.h"
#include "SvgCache.h"

#include <gtest/gtest.h>

namespace {

class SvgLoading : public ::testing::Test {
protected:
  size_t CachedDocuments() {
    std::lock_guard<std::mutex> lock(SvgCache().Mutex());
    return SvgCache().Size();
  }

  TempBundle bundle;
  TestDelegate dlg;
  ResourceTestGraphics g{dlg};
};

std::string Svg(const std::string& attributes) {
  return "<svg xmlns='http://www.w3.org/2000/svg' " + attributes + "><circle r='4'/></svg>";
}

TEST_F(SvgLoading, ASecondLoadComesFromTheCache) {
  bundle.Resource("Icon.svg", Svg("width='24' height='16'"));
  const ISVG first = g.LoadSvgResource("Icon.svg");
  ASSERT_TRUE(first.IsValid());
  EXPECT_FLOAT_EQ(first.W(), 24.f);
  EXPECT_FLOAT_EQ(first.H(), 16.f);

  bundle.Resource("Icon.svg", Svg("width='99' height='99'"));
  const ISVG second = g.LoadSvgResource("Icon.svg");
  EXPECT_EQ(second.Handle(), first.Handle());
  EXPECT_FLOAT_EQ(second.W(), 24.f) << "not read again";
  EXPECT_EQ(CachedDocuments(), 1u);
}

TEST_F(SvgLoading, UnitsAndResolution) {
  bundle.Resource("Inch.svg", Svg("width='1in' height='0.5in'"));
  const ISVG px = g.LoadSvgResource("Inch.svg", "px", 96.f);
  EXPECT_FLOAT_EQ(px.W(), 96.f);
  EXPECT_FLOAT_EQ(px.H(), 48.f);

  bundle.Resource("Millimetres.svg", Svg("width='25.4mm' height='50.8mm'"));
  const ISVG mm = g.LoadSvgResource("Millimetres.svg", "mm", 72.f);
  EXPECT_NEAR(mm.W(), 25.4f, 1e-3f);
  EXPECT_NEAR(mm.H(), 50.8f, 1e-3f);

  bundle.Resource("Points.svg", Svg("width='144' height='72'"));
  const ISVG pt = g.LoadSvgResource("Points.svg", "pt", 144.f);
  EXPECT_FLOAT_EQ(pt.W(), 72.f);

  bundle.Resource("ViewBox.svg", Svg("viewBox='0 0 30 20'"));
  const ISVG box = g.LoadSvgResource("ViewBox.svg");
  EXPECT_TRUE(box.IsValid());
  EXPECT_FLOAT_EQ(box.W(), 30.f);
  EXPECT_FLOAT_EQ(box.H(), 20.f);
}

TEST_F(SvgLoading, MissingOrCorruptFilesGiveTheEmptyDocument) {
  EXPECT_FALSE(g.LoadSvgResource("Missing.svg").IsValid());
  bundle.Resource("Corrupt.svg", "<svg xmlns='http://www.w3.org/2000/svg'><g></svg");
  bundle.Resource("Garbage.svg", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
  bundle.Resource("Empty.svg", "");
  for (const char* name : {"Corrupt.svg", "Garbage.svg", "Empty.svg"}) {
    const ISVG svg = g.LoadSvgResource(name);
    EXPECT_FALSE(svg.IsValid()) << name;
    EXPECT_EQ(svg.W(), 0.f) << name;
  }
  EXPECT_EQ(CachedDocuments(), 0u) << "failures are not cached";

  bundle.Resource("Corrupt.svg", Svg("width='5' height='5'"));
  EXPECT_TRUE(g.LoadSvgResource("Corrupt.svg").IsValid()) << "a repaired file loads";
}

} // namespace
