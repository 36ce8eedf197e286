#include "StatePluginFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {
const double kOnStepValues[9] = {1, 0, 2, 1, 123.45, 12.34, 0.125, 99.99, 0.875};

void SetValues(IPluginBase& plugin, const double* values) {
  for (int i = 0; i < plugin.NParams(); ++i)
    plugin.GetParam(i)->SetValue(values[i]);
}
} // namespace

TEST(PluginState, ChunkHoldsEachRealValueAsALittleEndianDoubleAndNothingElse) {
  StateTestPlugin plugin;
  SetValues(plugin, kOnStepValues);
  IByteChunk chunk;
  ASSERT_TRUE(plugin.WriteState(chunk));
  ASSERT_EQ(chunk.Size(), 72);
  for (int i = 0; i < 9; ++i) {
    uint64_t expected;
    std::memcpy(&expected, &kOnStepValues[i], 8);
    for (int b = 0; b < 8; ++b)
      EXPECT_EQ(chunk.GetData()[i * 8 + b], static_cast<uint8_t>(expected >> (8 * b)));
  }
}

TEST(PluginState, RoundTripRestoresEveryValueBitForBitAndAnnouncesAsPresetRecall) {
  StateTestPlugin writer;
  SetValues(writer, kOnStepValues);
  IByteChunk chunk;
  writer.WriteState(chunk);
  chunk.Put(int32_t{1}); // what the host binding appends after the state

  StateTestPlugin reader;
  EXPECT_EQ(reader.ReadState(chunk, 0), 72);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(reader.GetParam(i)->Value(), kOnStepValues[i]) << i;
  const auto announced = reader.Calls("change ");
  ASSERT_EQ(announced.size(), 9u);
  EXPECT_EQ(announced[0], "change 0 2 -1");
  EXPECT_EQ(reader.Calls("editor ").back(), "editor 8 2");
}

TEST(PluginState, ShortChunkSetsTheFirstMissingValueToItsClampedZeroAndFails) {
  StateTestPlugin writer;
  SetValues(writer, kOnStepValues);
  IByteChunk chunk;
  writer.WriteState(chunk);
  chunk.Resize(64);

  StateTestPlugin reader;
  reader.GetParam(8)->SetValue(0.75);
  EXPECT_EQ(reader.ReadState(chunk, 0), -1);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(reader.GetParam(i)->Value(), kOnStepValues[i]);
  EXPECT_EQ(reader.GetParam(8)->Value(), 0.0);

  chunk.Resize(20); // parameter 2 lacks data, the rest keep their values
  StateTestPlugin partial;
  partial.GetParam(2)->SetValue(3.0);
  EXPECT_EQ(partial.ReadState(chunk, 0), -1);
  EXPECT_EQ(partial.GetParam(2)->Value(), 0.0);
  EXPECT_EQ(partial.GetParam(4)->Value(), 32.0);
}

TEST(PluginState, ValuesAreSnappedAndClampedButNonNumbersLeaveTheParameterAlone) {
  Config config = StateTestConfig(3);
  StateTestPlugin plugin(config);
  plugin.GetParam(0)->DefineDouble("stepped", 0, 0, 10, 0.5, "", IParam::FlagStepped);
  plugin.GetParam(1)->DefineDouble("plain", 5, 0, 10, 0.5);
  plugin.GetParam(2)->DefineDouble("plain", 5, 0, 10, 0.5);
  IByteChunk chunk;
  chunk.Put(3.3);
  chunk.Put(std::numeric_limits<double>::quiet_NaN());
  chunk.Put(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(plugin.ReadState(chunk, 0), 24);
  EXPECT_EQ(plugin.GetParam(0)->Value(), 3.5);
  EXPECT_EQ(plugin.GetParam(1)->Value(), 5.0);
  EXPECT_EQ(plugin.GetParam(2)->Value(), 5.0);

  IByteChunk big;
  big.Put(1e300);
  EXPECT_EQ(plugin.ReadState(big, 0), -1);
  EXPECT_EQ(plugin.GetParam(0)->Value(), 10.0);
}

TEST(PluginState, NegativeStartReadsNothingAndLongerChunksLeaveTheRestToTheCaller) {
  StateTestPlugin plugin;
  IByteChunk chunk;
  for (int i = 0; i < 10; ++i)
    chunk.Put(1.0);
  EXPECT_EQ(plugin.ReadState(chunk, -1), -1);
  EXPECT_EQ(plugin.GetParam(4)->Value(), 32.0);
  EXPECT_EQ(plugin.ReadState(chunk, 8), 80);
  EXPECT_EQ(plugin.GetParam(4)->Value(), 1.0);
}

TEST(PluginState, APluginWithoutParametersWritesAnEmptyStateSuccessfully) {
  StateTestPlugin plugin(StateTestConfig(0));
  IByteChunk chunk;
  EXPECT_TRUE(plugin.WriteState(chunk));
  EXPECT_EQ(chunk.Size(), 0);
}
