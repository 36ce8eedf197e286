#include "ChainHarness.h"
#include "ChainTestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool AllFinite(const std::vector<double>& v) {
  for (double x : v)
    if (!std::isfinite(x)) return false;
  return true;
}

bool NoSubnormals(const std::vector<double>& v) {
  for (double x : v)
    if (std::fpclassify(x) == FP_SUBNORMAL) return false;
  return true;
}

class RenderBlockTest : public ::testing::TestWithParam<int> {
protected:
  void SetUp() override {
    for (TestChain* k : {&a, &b}) {
      Prepare(*k, 48000);
      SetParamValue(*k, kOversampling, GetParam());
      SetParamValue(*k, kInputGain, 120);
      SetParamValue(*k, kReact, 1);
    }
  }
  TestChain a;
  TestChain b;
};

TEST_P(RenderBlockTest, RepeatsExactlyWithTheSameSeeds) {
  const Stereo in = TestSignal(1500);
  const Stereo x = Render(a, in, 256);
  const Stereo y = Render(b, in, 256);
  EXPECT_EQ(x.left, y.left);
  EXPECT_EQ(x.right, y.right);
  EXPECT_NE(x.left, in.left);
  EXPECT_TRUE(AllFinite(x.left) && AllFinite(x.right));

  b.SetSeedSource(CountingSeeds(7));
  EXPECT_NE(Render(a, in, 256).left, Render(b, in, 256).left);
}

TEST_P(RenderBlockTest, InPlaceMatchesSeparateBuffers) {
  const Stereo in = TestSignal(1000);
  const Stereo separate = Render(a, in, 128);
  Stereo io = in;
  for (int start = 0; start < 1000; start += 128) {
    double* ch[2] = {io.left.data() + start, io.right.data() + start};
    b.RenderBlock(ch, ch, std::min(128, 1000 - start));
  }
  EXPECT_EQ(io.left, separate.left);
  EXPECT_EQ(io.right, separate.right);
}

TEST_P(RenderBlockTest, NonFiniteSamplesCountAsSilence) {
  Stereo clean = TestSignal(400);
  Stereo dirty = clean;
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (int i = 0; i < 3; ++i) {
    const int at = 50 + 97 * i;
    clean.left[at] = clean.right[at + 1] = 0.0;
    dirty.left[at] = dirty.right[at + 1] = bad[i];
  }
  const Stereo want = Render(a, clean, 64);
  const Stereo got = Render(b, dirty, 64);
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.right, want.right);
  EXPECT_TRUE(AllFinite(ChainTestAccess::AllState(b.Chain())));
}

TEST_P(RenderBlockTest, HotInputsStayFinite) {
  SetParamValue(a, kInputGain, 200);
  for (double amplitude : {100.0, 1e6, 1e300}) {
    const Stereo hot = TestSignal(300, amplitude);
    const Stereo out = Render(a, hot, 100);
    EXPECT_TRUE(AllFinite(out.left) && AllFinite(out.right)) << amplitude;
  }
  EXPECT_TRUE(AllFinite(ChainTestAccess::AllState(a.Chain())));
  const Stereo after = Render(a, TestSignal(300), 100);
  EXPECT_TRUE(AllFinite(after.left) && AllFinite(after.right));
  EXPECT_LT(std::fabs(after.left.back()), 2.0);
}

// The largest finite samples, once each in the middle of ordinary audio: nothing the chain keeps
// may turn non-finite, the output stays finite, and the effect sounds as before afterwards.
TEST_P(RenderBlockTest, HugeFiniteSamplesLeaveNoTrace) {
  for (double gain : {32.0, 200.0}) {
    for (double huge : {1.3e308, 2e307, -1.7976931348623157e308, 1e101}) {
      TestChain hit;
      Prepare(hit, 48000);
      SetParamValue(hit, kOversampling, GetParam());
      SetParamValue(hit, kInputGain, gain);
      Stereo in = TestSignal(600);
      in.left[200] = huge;
      in.right[201] = -huge;
      const Stereo out = Render(hit, in, 128);
      ASSERT_TRUE(AllFinite(out.left) && AllFinite(out.right)) << huge << " at " << gain;
      ASSERT_TRUE(AllFinite(ChainTestAccess::AllState(hit.Chain()))) << huge << " at " << gain;
      // Long after the hit the output is ordinary audio again.
      const Stereo later = Render(hit, TestSignal(4000), 512);
      EXPECT_LT(std::fabs(later.left.back()), 2.0);
      EXPECT_LT(std::fabs(later.right.back()), 2.0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryOversampling, RenderBlockTest, ::testing::Values(0, 1, 2, 3));

TEST(RenderBlock, BypassCopiesEveryBitAndOnlyAtOne) {
  TestChain k;
  Prepare(k, 44100);
  Stereo in = TestSignal(200);
  in.left[3] = std::numeric_limits<double>::quiet_NaN();
  in.right[4] = -std::numeric_limits<double>::infinity();
  in.left[5] = -0.0;
  in.right[6] = 4e-320;
  SetParamValue(k, kBypass, 1);
  const Stereo out = Render(k, in, 37);
  EXPECT_EQ(std::memcmp(out.left.data(), in.left.data(), 200 * sizeof(double)), 0);
  EXPECT_EQ(std::memcmp(out.right.data(), in.right.data(), 200 * sizeof(double)), 0);

  SetParamValue(k, kBypass, 0.99);
  const Stereo processed = Render(k, TestSignal(200), 37);
  EXPECT_NE(processed.left, TestSignal(200).left);
}

TEST(RenderBlock, DeltaIsTheProcessedSignalLessTheInput) {
  for (double wet : {100.0, 50.0}) {
    TestChain plain;
    TestChain delta;
    for (TestChain* k : {&plain, &delta}) {
      Prepare(*k, 48000);
      SetParamValue(*k, kWet, wet);
    }
    SetParamValue(delta, kDelta, 1);
    const Stereo in = TestSignal(500);
    const Stereo p = Render(plain, in, 100);
    const Stereo d = Render(delta, in, 100);
    for (int i = 0; i < 500; ++i) {
      ASSERT_EQ(d.left[i], p.left[i] - in.left[i]) << wet << " " << i;
      ASSERT_EQ(d.right[i], p.right[i] - in.right[i]) << wet << " " << i;
    }
  }
}

TEST(RenderBlock, OddAndEmptyBlocks) {
  TestChain whole;
  TestChain pieces;
  Prepare(whole, 96000);
  Prepare(pieces, 96000);
  const Stereo in = TestSignal(7 * 13);
  const Stereo single = Render(pieces, in, 1);
  EXPECT_TRUE(AllFinite(single.left) && AllFinite(single.right));
  const Stereo sevens = Render(whole, in, 7);
  EXPECT_TRUE(AllFinite(sevens.left) && AllFinite(sevens.right));

  double untouched[2] = {-5.0, -5.0};
  double* io[2] = {&untouched[0], &untouched[1]};
  whole.RenderBlock(io, io, 0);
  whole.RenderBlock(nullptr, nullptr, 16);
  EXPECT_EQ(untouched[0], -5.0);
  EXPECT_EQ(untouched[1], -5.0);
}

TEST(RenderBlock, SilenceStaysCleanOfSubnormals) {
  for (double rate : {44100.0, 192000.0}) {
    TestChain k;
    Prepare(k, rate);
    SetParamValue(k, kOversampling, 3);
    Render(k, TestSignal(200), 50);
    const Stereo zeros{std::vector<double>(4000, 0.0), std::vector<double>(4000, 0.0)};
    const Stereo out = Render(k, zeros, 512);
    EXPECT_TRUE(AllFinite(out.left) && NoSubnormals(out.left));
    EXPECT_LT(std::fabs(out.left.back()), 1e-3);
    EXPECT_TRUE(NoSubnormals(ChainTestAccess::AllState(k.Chain(), false))) << rate;
  }
}

} // namespace
