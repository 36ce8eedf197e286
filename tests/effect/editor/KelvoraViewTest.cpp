#include <gtest/gtest.h>

#include "IByteChunk.h"
#include "IPlugVST3View.h"
#include "Kelvora.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <memory>

using namespace Steinberg;

namespace {

bool SameRect(const ViewRect& a, const ViewRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The editor's size record as a project stores it: width, height, draw scale.
IByteChunk EditorState(int32_t width, int32_t height, float scale) {
  IByteChunk chunk;
  chunk.Put(width);
  chunk.Put(height);
  chunk.Put(scale);
  return chunk;
}

// The view's answers that need no window, on an effect in this process.
class VST3ViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    mPlug = new Kelvora(InstanceInfo{});
    mView = owned(mPlug->createView(Vst::ViewType::kEditor));
  }
  void TearDown() override {
    mView = nullptr;
    mPlug->release();
  }
  Kelvora* mPlug = nullptr;
  IPtr<IPlugView> mView;
};

TEST_F(VST3ViewTest, OnlyTheEditorViewForX11Embedding) {
  ASSERT_TRUE(mView);
  EXPECT_EQ(mPlug->createView("other"), nullptr);
  EXPECT_EQ(mPlug->createView(nullptr), nullptr);
  EXPECT_EQ(mView->isPlatformTypeSupported("X11EmbedWindowID"), kResultTrue);
  EXPECT_EQ(mView->isPlatformTypeSupported("NSView"), kResultFalse);
  EXPECT_EQ(mView->isPlatformTypeSupported(nullptr), kResultFalse);
  EXPECT_EQ(mView->attached(reinterpret_cast<void*>(1), "HWND"), kResultFalse);
  EXPECT_EQ(mView->attached(nullptr, "X11EmbedWindowID"), kResultFalse);
  EXPECT_EQ(mView->canResize(), kResultTrue);
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(mView);
  EXPECT_TRUE(scaling);
}

TEST_F(VST3ViewTest, SizeConstraintsAreTheLimitsInHostPixels) {
  ViewRect inside(10, 10, 10 + 900, 10 + 600);
  EXPECT_EQ(mView->checkSizeConstraint(&inside), kResultTrue);
  EXPECT_TRUE(SameRect(inside, ViewRect(10, 10, 910, 610)));

  ViewRect narrow(0, 0, 805, 600);
  mView->checkSizeConstraint(&narrow);
  EXPECT_EQ(narrow.getWidth(), 815);
  EXPECT_EQ(narrow.getHeight(), 600);

  ViewRect huge(5, 5, 5 + 5000, 5 + 5000);
  mView->checkSizeConstraint(&huge);
  EXPECT_TRUE(SameRect(huge, ViewRect(5, 5, 5 + 3260, 5 + 2020)));
  EXPECT_EQ(mView->checkSizeConstraint(nullptr), kResultFalse);

  FUnknownPtr<IPlugViewContentScaleSupport> scaling(mView);
  scaling->setContentScaleFactor(2.f);
  ViewRect small(0, 0, 1000, 1000);
  mView->checkSizeConstraint(&small);
  EXPECT_EQ(small.getWidth(), 1630);
  EXPECT_EQ(small.getHeight(), 1010);
}

// Hosts make their first window from the size they read before attaching.
TEST_F(VST3ViewTest, SizeBeforeOpeningIsTheSizeTheEditorOpensAt) {
  ViewRect size;
  ASSERT_EQ(mView->getSize(&size), kResultTrue);
  EXPECT_TRUE(SameRect(size, ViewRect(0, 0, 815, 505)));
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(mView);
  scaling->setContentScaleFactor(2.f);
  ASSERT_EQ(mView->getSize(&size), kResultTrue);
  EXPECT_TRUE(SameRect(size, ViewRect(0, 0, 1630, 1010)));
  EXPECT_EQ(mView->getSize(nullptr), kResultFalse);

  // The size an editor had when it closed, from the project's state, is the next one.
  mPlug->ReadEditorState(EditorState(1630, 1010, 0.75f), 0);
  scaling->setContentScaleFactor(1.f);
  ASSERT_EQ(mView->getSize(&size), kResultTrue);
  EXPECT_TRUE(SameRect(size, ViewRect(0, 0, 1222, 757)));
}

TEST_F(VST3ViewTest, OnSizeKeepsTheHostsRectangleAndIgnoresNone) {
  EXPECT_EQ(mView->onSize(nullptr), kResultTrue);
  ViewRect size(0, 0, 700, 400);
  EXPECT_EQ(mView->onSize(&size), kResultTrue);
  EXPECT_TRUE(SameRect(static_cast<IPlugVST3View*>(mView.get())->getRect(), size));
  // Keys without an open editor are not taken.
  EXPECT_EQ(mView->onKeyDown(u'a', 0, 0), kResultFalse);
}

TEST_F(VST3ViewTest, ReleasingTheViewForgetsItAndKeepsThePlugInAliveUntilThen) {
  IPtr<IPlugView> second = owned(mPlug->createView(Vst::ViewType::kEditor));
  ASSERT_TRUE(second);
  // The instance's own reference plus one per view.
  mPlug->addRef();
  EXPECT_EQ(mPlug->release(), 3u);
  second = nullptr;
  mView = nullptr;
  mPlug->addRef();
  EXPECT_EQ(mPlug->release(), 1u);
  // A resize request after the views are gone reaches no view.
  EXPECT_TRUE(mPlug->EditorResize(700, 400));
}

} // namespace
