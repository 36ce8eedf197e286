#include "ChannelIOConfig.h"
#include "ProcessorTestConfig.h"

#include <gtest/gtest.h>

#include <string>

TEST(ChannelIO, MonoAndStereoConfigurations) {
  ChannelIOLayout layout;
  ASSERT_EQ(ParseChannelIO("1-1 2-2", layout), 2);
  EXPECT_EQ(layout.mConfigs[0].NBuses(kInput), 1);
  EXPECT_EQ(layout.mConfigs[0].NChansOnBus(kInput, 0), 1);
  EXPECT_EQ(layout.mConfigs[0].NChansOnBus(kOutput, 0), 1);
  EXPECT_EQ(layout.mConfigs[1].NChansOnBus(kInput, 0), 2);
  EXPECT_EQ(layout.mConfigs[1].NChansOnBus(kOutput, 0), 2);
  EXPECT_EQ(layout.mMaxNInChans, 2);
  EXPECT_EQ(layout.mMaxNOutChans, 2);
  EXPECT_EQ(layout.mMaxNInBuses, 1);
  EXPECT_EQ(layout.mMaxNOutBuses, 1);
}

TEST(ChannelIO, SeveralBusesAndZeroCounts) {
  ChannelIOLayout layout;
  ASSERT_EQ(ParseChannelIO("2.2-2", layout), 1);
  EXPECT_EQ(layout.mConfigs[0].NBuses(kInput), 2);
  EXPECT_EQ(layout.mConfigs[0].NChansOnBus(kInput, 1), 2);
  EXPECT_EQ(layout.mConfigs[0].NBuses(kOutput), 1);
  EXPECT_EQ(layout.mMaxNInChans, 4);

  ASSERT_EQ(ParseChannelIO("0-2", layout), 1);
  EXPECT_EQ(layout.mConfigs[0].NBuses(kInput), 0);
  EXPECT_EQ(layout.mMaxNInChans, 0);
}

TEST(ChannelIO, WildcardBusesCarryTheirMarker) {
  ChannelIOLayout layout;
  ASSERT_EQ(ParseChannelIO("*-*", layout), 1);
  EXPECT_EQ(layout.mConfigs[0].NChansOnBus(kInput, 0), BusChannels::kWildcard);
  EXPECT_TRUE(layout.mConfigs[0].ContainsWildcard(kOutput));
  EXPECT_EQ(layout.mConfigs[0].TotalNChannels(kInput), -64);
}

TEST(ChannelIO, MalformedTextsAddNoBusesAndNoChannels) {
  ChannelIOLayout layout;
  EXPECT_EQ(ParseChannelIO(nullptr, layout), 0);
  EXPECT_EQ(ParseChannelIO("   ", layout), 0);
  ASSERT_EQ(ParseChannelIO("x-99999999999  1..-", layout), 2);
  EXPECT_EQ(layout.mConfigs[0].NBuses(kInput), 0);
  EXPECT_EQ(layout.mConfigs[0].NBuses(kOutput), 0);
  EXPECT_EQ(layout.mConfigs[1].NBuses(kInput), 1);
  EXPECT_EQ(layout.mMaxNOutChans, 0);

  TestProcessor processor(ProcessorTestConfig("*-*"));
  EXPECT_EQ(processor.NChannels(kInput), 0);
  processor.ResizeScratch(16);
  processor.RunEffectBlock(16);
}

TEST(ChannelIO, LargestBusCountReportsTheLaterConfigurationOnATie) {
  TestProcessor processor(ProcessorTestConfig("1-1 2-2"));
  EXPECT_EQ(processor.NChannels(kInput), 2);
  EXPECT_EQ(processor.NChannels(kOutput), 2);
  int configIdx = -1;
  EXPECT_EQ(processor.LargestBusCount(kInput, &configIdx), 1);
  EXPECT_EQ(configIdx, 1);
  EXPECT_EQ(processor.LargestBusCount(kOutput), 1);

  TestProcessor uneven(ProcessorTestConfig("2.2-2 1-1"));
  EXPECT_EQ(uneven.LargestBusCount(kInput, &configIdx), 2);
  EXPECT_EQ(configIdx, 0);
}

TEST(ChannelIO, LargestChannelsOnBus) {
  TestProcessor processor(ProcessorTestConfig("1-1 2-2"));
  EXPECT_EQ(processor.LargestChannelsOnBus(kInput, 0), 2);
  EXPECT_EQ(processor.LargestChannelsOnBus(kInput, 1), 0);

  TestProcessor sidechain(ProcessorTestConfig("2-2 2.1-2"));
  EXPECT_EQ(sidechain.LargestChannelsOnBus(kInput, 1), 1);

  TestProcessor noInputs(ProcessorTestConfig("0-2"));
  EXPECT_EQ(noInputs.LargestChannelsOnBus(kInput, 0), 0);

  TestProcessor wildcard(ProcessorTestConfig("*-2 2-2"));
  EXPECT_EQ(wildcard.LargestChannelsOnBus(kInput, 0), -1);
  EXPECT_EQ(wildcard.LargestChannelsOnBus(kOutput, 0), 2);
}

TEST(ChannelIO, FindConfigMatchesBusCountsExactly) {
  TestProcessor processor(ProcessorTestConfig("1-1 2-2"));
  EXPECT_EQ(processor.FindConfig({2}, {2}), 1);
  EXPECT_EQ(processor.FindConfig({1}, {1}), 0);
  EXPECT_EQ(processor.FindConfig({1}, {2}), -1);
  EXPECT_EQ(processor.FindConfig({2, 2}, {2}), -1);
  EXPECT_EQ(processor.FindConfig({}, {}), -1);

  TestProcessor wildcard(ProcessorTestConfig("*-*"));
  EXPECT_EQ(wildcard.FindConfig({2}, {2}), -1);
  EXPECT_EQ(wildcard.FindConfig({-64}, {-64}), 0);
}

TEST(ChannelIO, BusLabels) {
  TestProcessor processor(ProcessorTestConfig("1-1 2-2"));
  std::string label;
  processor.BusLabel(kOutput, 0, 1, label);
  EXPECT_EQ(label, "Output");
  processor.BusLabel(kOutput, 1, 2, label);
  EXPECT_EQ(label, "Output 1");
  processor.BusLabel(kInput, 0, 2, label);
  EXPECT_EQ(label, "Main");
  processor.BusLabel(kInput, 1, 2, label);
  EXPECT_EQ(label, "Aux");
  processor.BusLabel(kInput, 0, 1, label);
  EXPECT_EQ(label, "Input");
  for (int bus = 0; bus < 3; ++bus) {
    processor.BusLabel(kInput, bus, 3, label);
    EXPECT_EQ(label, "Input " + std::to_string(bus));
  }
}
