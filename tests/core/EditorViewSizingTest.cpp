#include "EditorViewSizing.h"
#include "IByteChunk.h"
#include "IPlugAPIBase.h"
#include "TestGraphics.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The effect's editor: a 1630 × 1010 picture opening at half size, between a quarter and
// twice its UI size.
Config SizingConfig() {
  Config config{};
  config.plugHasUI = true;
  config.plugHostResize = true;
  config.plugWidth = 1630;
  config.plugHeight = 1010;
  config.plugDrawScale = 0.5f;
  config.plugMinWidth = 815;
  config.plugMaxWidth = 3260;
  config.plugMinHeight = 505;
  config.plugMaxHeight = 2020;
  return config;
}

// A plug-in whose editor records its drawing instead of opening a window, counting every
// editor it makes. Its editor's own resizes go to the sizing, as a binding sends them.
class SizingPlug : public IPlugAPIBase {
public:
  explicit SizingPlug(const Config& config = SizingConfig()) : IPlugAPIBase(config, 0) {
    CreateTimer();
  }

  IGraphics* MakeGraphics() override {
    ++editorsMade;
    return makesEditors ? new TestGraphics(*this, 1630, 1010, 0.5f) : nullptr;
  }
  void BuildLayout(IGraphics*) override {}
  bool EditorResize(int width, int height) override {
    SetEditorSize(width, height);
    if (sizing) sizing->RequestResize(width, height);
    return true;
  }
  void ParentResizedHook(int width, int height) override {
    parentSizes.emplace_back(width, height);
  }
  void IdleHook() override { ++idleTicks; }

  EditorViewSizing* sizing = nullptr;
  bool makesEditors = true;
  int editorsMade = 0;
  int idleTicks = 0;
  std::vector<std::pair<int, int>> parentSizes;
};

// A host's side of the resize: it records what it is asked, answers as told and, when it
// grants, may report its window to the view before answering (as most do).
struct FakeHost {
  enum class Mode { kGrant, kRefuse, kAbsent };
  Mode mode = Mode::kGrant;
  bool reports = true;
  PixelSize reportInstead; // a window of its own choosing instead of the one asked for
  std::vector<PixelSize> asked;
  EditorViewSizing* sizing = nullptr;

  EditorViewSizing::HostAnswer Ask(PixelSize window) {
    if (mode == Mode::kAbsent) return EditorViewSizing::HostAnswer::kNotAsked;
    asked.push_back(window);
    if (mode == Mode::kRefuse) return EditorViewSizing::HostAnswer::kRefused;
    if (reports) sizing->HostResized(reportInstead.width > 0 ? reportInstead : window);
    return EditorViewSizing::HostAnswer::kGranted;
  }
};

// The host's run loop, run by hand.
class ManualLoop : public EditorRunLoop {
public:
  Id RegisterTimer(uint32_t periodMs, Callback callback) override {
    timers[++mNext] = {periodMs, std::move(callback)};
    return mNext;
  }
  Id RegisterFileDescriptor(int, Callback) override { return kNoId; }
  void Unregister(Id id) override { timers.erase(id); }
  void Tick() {
    const auto due = timers;
    for (const auto& timer : due)
      timer.second.second();
  }

  std::map<Id, std::pair<uint32_t, Callback>> timers;

private:
  Id mNext = kNoId;
};

IByteChunk EditorState(int32_t width, int32_t height, float scale) {
  IByteChunk chunk;
  chunk.Put(width);
  chunk.Put(height);
  chunk.Put(scale);
  return chunk;
}

class EditorViewSizingTest : public ::testing::Test {
protected:
  EditorViewSizingTest() {
    plug.sizing = &sizing;
    host.sizing = &sizing;
  }
  ~EditorViewSizingTest() override { sizing.Close(); }

  bool Open() { return sizing.Open(&parent, &loop) != nullptr; }
  IGraphics& Editor() { return *plug.GetUI(); }
  PixelSize Picture() { return {Editor().PictureWidthPx(), Editor().PictureHeightPx()}; }

  int parent = 0;
  SizingPlug plug;
  FakeHost host;
  ManualLoop loop;
  EditorViewSizing sizing{plug, [this](PixelSize window) { return host.Ask(window); }};
};

void ExpectSize(PixelSize size, int width, int height) {
  EXPECT_EQ(size.width, width);
  EXPECT_EQ(size.height, height);
}

// Hosts make their first window from this before the editor exists: it is the size the editor
// then opens at, in the pixels its window has, and asking for it makes no editor.
TEST_F(EditorViewSizingTest, OpeningSizeIsTheOpenedPictureAtEachScaleWithoutMakingAnEditor) {
  struct Case {
    float scale;
    int width, height;
  };
  for (const Case& c : {Case{1.f, 815, 505}, Case{1.5f, 1222, 757}, Case{2.f, 1630, 1010},
                        Case{1.25f, 1018, 631}, Case{1.75f, 1426, 883}}) {
    SCOPED_TRACE(c.scale);
    sizing.SetContentScale(c.scale);
    const PixelSize closed = sizing.EditorSize();
    ExpectSize(closed, c.width, c.height);
    EXPECT_EQ(plug.editorsMade, 0);

    ASSERT_TRUE(Open());
    ExpectSize(Picture(), c.width, c.height);
    ExpectSize(sizing.EditorSize(), c.width, c.height);
    ExpectSize(sizing.Window(), c.width, c.height);
    // Whatever the host was asked for while the editor opened is the window it was told.
    for (const PixelSize& asked : host.asked)
      ExpectSize(asked, c.width, c.height);
    host.asked.clear();
    sizing.Close();
    plug.editorsMade = 0;
    plug.ReadEditorState(EditorState(0, 0, 0.f), 0);
  }
}

// A project's size record, the plug-in's own or damaged, is answered as the editor will open
// it: within the size limits and the draw-scale range.
TEST_F(EditorViewSizingTest, RememberedSizesAreAnsweredAsTheEditorOpensThem) {
  struct Case {
    int32_t width, height;
    float scale;
    int pixelsWide, pixelsHigh;
  };
  for (const Case& c : {Case{1630, 1010, 0.75f, 1222, 757}, Case{99999, -7, 9.f, 3260, 505},
                        Case{100, 100, 0.01f, 203, 126}, Case{2000, 1200, -3.f, 500, 300}}) {
    SCOPED_TRACE(c.width);
    plug.ReadEditorState(EditorState(c.width, c.height, c.scale), 0);
    ExpectSize(sizing.EditorSize(), c.pixelsWide, c.pixelsHigh);
    ASSERT_TRUE(Open());
    ExpectSize(Picture(), c.pixelsWide, c.pixelsHigh);
    sizing.Close();
  }
  EXPECT_EQ(plug.editorsMade, 4);

  // The size the editor closed at, at another scale.
  ASSERT_TRUE(Open());
  Editor().Resize(1630, 1010, 0.6f, true);
  sizing.Close();
  sizing.SetContentScale(1.5f);
  ExpectSize(sizing.EditorSize(), 1467, 909);
}

TEST_F(EditorViewSizingTest, UnconfiguredDrawScaleOpensAtOne) {
  Config config = SizingConfig();
  config.plugDrawScale = 0.f;
  SizingPlug unscaled(config);
  EditorViewSizing own(unscaled, nullptr);
  EXPECT_EQ(unscaled.GetOpeningDrawScale(), 1.f);
  ExpectSize(own.EditorSize(), 1630, 1010);
  config.plugDrawScale = std::numeric_limits<float>::quiet_NaN();
  SizingPlug noNumber(config);
  EXPECT_EQ(noNumber.GetOpeningDrawScale(), 1.f);
}

TEST_F(EditorViewSizingTest, HostSizeEqualToTheEditorsOwnLeavesTheScaleAlone) {
  for (float scale : {1.f, 1.5f, 2.f, 1.25f}) {
    SCOPED_TRACE(scale);
    sizing.SetContentScale(scale);
    ASSERT_TRUE(Open());
    for (float drawScale : {0.5f, 0.37f, 0.913f}) {
      Editor().Resize(1630, 1010, drawScale, true);
      sizing.HostResized(sizing.EditorSize());
      EXPECT_EQ(Editor().DrawScale(), drawScale);
      // No strip of surround beside the picture either.
      EXPECT_EQ(Editor().SurfaceWidthPx(), Editor().PictureWidthPx());
      EXPECT_EQ(Editor().SurfaceHeightPx(), Editor().PictureHeightPx());
    }
    sizing.Close();
  }
}

TEST_F(EditorViewSizingTest, RefusedResizeRestoresTheLastAcceptedSizeOnTheNextTick) {
  ASSERT_TRUE(Open());
  host.mode = FakeHost::Mode::kRefuse;
  Editor().Resize(1630, 1010, 0.3f, true);
  // Still halfway through its own resize: nothing is undone inside it.
  EXPECT_EQ(Editor().DrawScale(), 0.3f);
  ExpectSize(host.asked.back(), 489, 303);
  ExpectSize(sizing.Window(), 815, 505);
  loop.Tick();
  EXPECT_EQ(Editor().DrawScale(), 0.5f);
  EXPECT_EQ(plug.GetEditorWidth(), 815);
  EXPECT_EQ(plug.GetEditorHeight(), 505);
  ExpectSize(Picture(), 815, 505);

  // A size the host gave from outside is what the next refusal returns to.
  sizing.HostResized({978, 606});
  const float fitted = Editor().DrawScale();
  EXPECT_NEAR(fitted, 0.6f, 0.001f);
  Editor().Resize(1630, 1010, 0.3f, true);
  loop.Tick();
  EXPECT_EQ(Editor().DrawScale(), fitted);
  ExpectSize(Picture(), 978, 606);

  // So is a size the host granted.
  host.mode = FakeHost::Mode::kGrant;
  Editor().Resize(1630, 1010, 0.4f, true);
  host.mode = FakeHost::Mode::kRefuse;
  Editor().Resize(1630, 1010, 0.9f, true);
  loop.Tick();
  EXPECT_EQ(Editor().DrawScale(), 0.4f);
  ExpectSize(sizing.Window(), 652, 404);
}

// Without a host to ask, the editor keeps the size it gave itself.
TEST_F(EditorViewSizingTest, NoHostToAskLeavesTheEditorAsItIs) {
  ASSERT_TRUE(Open());
  host.mode = FakeHost::Mode::kAbsent;
  EXPECT_FALSE(sizing.RequestResize(500, 300));
  Editor().Resize(1630, 1010, 0.3f, true);
  loop.Tick();
  EXPECT_EQ(Editor().DrawScale(), 0.3f);
  ExpectSize(sizing.Window(), 815, 505);
}

TEST_F(EditorViewSizingTest, HostSizeInsideTheEditorsOwnRequestIsTakenOnTheNextTick) {
  ASSERT_TRUE(Open());
  host.reportInstead = {900, 560};
  Editor().Resize(1630, 1010, 0.3f, true);
  // Inside the request the editor keeps what it asked for; the host's window is recorded.
  EXPECT_EQ(Editor().DrawScale(), 0.3f);
  ExpectSize(sizing.Window(), 900, 560);
  EXPECT_EQ(plug.parentSizes.back(), std::make_pair(900, 560));
  ASSERT_FALSE(host.asked.empty());
  ExpectSize(host.asked.back(), 489, 303);
  loop.Tick();
  EXPECT_EQ(Editor().SurfaceWidthPx(), 900);
  EXPECT_EQ(Editor().SurfaceHeightPx(), 560);
  EXPECT_NEAR(Editor().DrawScale(), 0.5521f, 0.001f);

  // The size asked for, reported inside, leaves nothing for the tick.
  host.reportInstead = {};
  Editor().Resize(1630, 1010, 0.3f, true);
  loop.Tick();
  EXPECT_EQ(Editor().DrawScale(), 0.3f);
  ExpectSize(sizing.Window(), 489, 303);
  // A host that grants without reporting has made its window the size asked for.
  host.reports = false;
  EXPECT_TRUE(sizing.RequestResize(600, 400));
  ExpectSize(sizing.Window(), 600, 400);
}

TEST_F(EditorViewSizingTest, HostScalesAndSizesBeyondAnyScreenAreHeld) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  sizing.SetContentScale(1.5f);
  for (float ignored : {nan, -nan, 0.f, -2.f, -inf}) {
    sizing.SetContentScale(ignored);
    EXPECT_EQ(sizing.ContentScale(), 1.5f);
  }
  sizing.SetContentScale(inf);
  EXPECT_EQ(sizing.ContentScale(), EditorViewSizing::kMaxContentScale);
  sizing.SetContentScale(1.0e30f);
  EXPECT_EQ(sizing.ContentScale(), EditorViewSizing::kMaxContentScale);
  ExpectSize(sizing.EditorSize(), 6520, 4040);
  sizing.SetContentScale(1.0e-30f);
  EXPECT_EQ(sizing.ContentScale(), EditorViewSizing::kMinContentScale);
  EXPECT_EQ(sizing.ToPoints(EditorViewSizing::kMaxPixels), 4 * EditorViewSizing::kMaxPixels);

  sizing.SetContentScale(2.f);
  EXPECT_EQ(sizing.ToPoints(1001), 501);
  sizing.SetContentScale(8.f);
  EXPECT_EQ(sizing.ToPixels(INT_MAX), EditorViewSizing::kMaxPixels);
  EXPECT_EQ(sizing.ToPixels(INT_MIN), 0);
  ASSERT_TRUE(Open());
  for (PixelSize window : {PixelSize{INT_MAX, INT_MIN}, PixelSize{INT_MIN, INT_MAX}}) {
    sizing.HostResized(window);
    const PixelSize held = sizing.Window();
    EXPECT_GE(held.width, 0);
    EXPECT_LE(held.width, EditorViewSizing::kMaxPixels);
    EXPECT_GE(held.height, 0);
    EXPECT_LE(held.height, EditorViewSizing::kMaxPixels);
    EXPECT_GE(Editor().DrawScale(), Editor().GetMinDrawScale());
    EXPECT_LE(Editor().DrawScale(), Editor().GetMaxDrawScale());
  }
  ExpectSize(sizing.Constrain({INT_MAX, INT_MIN}), 26080, 4040);
  ExpectSize(sizing.Constrain({INT_MIN, INT_MAX}), 6520, 16160);
}

TEST_F(EditorViewSizingTest, IdleTicksRunOnTheLoopOnlyWhileTheEditorIsOpen) {
  EXPECT_TRUE(loop.timers.empty());
  ASSERT_TRUE(Open());
  ASSERT_EQ(loop.timers.size(), 1u);
  EXPECT_EQ(loop.timers.begin()->second.first, IPlugAPIBase::kIdleTimerIntervalMs);
  loop.Tick();
  loop.Tick();
  EXPECT_EQ(plug.idleTicks, 2);
  // A second opening while open is refused and leaves the one tick.
  EXPECT_EQ(sizing.Open(&parent, &loop), nullptr);
  EXPECT_EQ(loop.timers.size(), 1u);
  sizing.Close();
  EXPECT_TRUE(loop.timers.empty());
  EXPECT_EQ(plug.GetUI(), nullptr);

  // An editor that cannot be made opens nothing and ticks nothing.
  plug.makesEditors = false;
  EXPECT_FALSE(Open());
  EXPECT_FALSE(sizing.IsOpen());
  EXPECT_TRUE(loop.timers.empty());

  // Without a loop the editor opens untimed; a sizing that goes while open leaves the loop.
  plug.makesEditors = true;
  ASSERT_NE(sizing.Open(&parent, nullptr), nullptr);
  EXPECT_TRUE(loop.timers.empty());
  sizing.Close();
  {
    EditorViewSizing shortLived(plug, nullptr);
    ASSERT_NE(shortLived.Open(&parent, &loop), nullptr);
    EXPECT_EQ(loop.timers.size(), 1u);
    shortLived.Close();
    ASSERT_NE(shortLived.Open(&parent, &loop), nullptr);
  }
  EXPECT_TRUE(loop.timers.empty());
  plug.CloseEditor();
}

} // namespace
