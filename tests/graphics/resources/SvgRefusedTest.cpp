#include "ResourceTestGraphics.h"
#include "SvgCache.h"

#include <gtest/gtest.h>

// Builds without an SVG library (Windows) refuse every document: the caller gets the empty
// document, nothing is cached, and a later request is refused again rather than crashing.
TEST(SvgRefused, AValidDocumentGivesTheEmptyDocument) {
  TempBundle bundle;
  TestDelegate dlg;
  ResourceTestGraphics g{dlg};
  bundle.Resource("Icon.svg",
                  "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='16'><circle "
                  "r='4'/></svg>");
  for (int attempt = 0; attempt < 2; ++attempt) {
    const ISVG svg = g.LoadSvgResource("Icon.svg");
    EXPECT_FALSE(svg.IsValid());
    EXPECT_EQ(svg.W(), 0.f);
    EXPECT_EQ(svg.H(), 0.f);
  }
  std::lock_guard<std::mutex> lock(SvgCache().Mutex());
  EXPECT_EQ(SvgCache().Size(), 0u);
}
