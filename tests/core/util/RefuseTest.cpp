#include "Refuse.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int CheckedSize(int size) {
  KELVORA_REFUSE_IF(size < 0, -1);
  return size * 2;
}

bool Accepts(const char* path) {
  KELVORA_REFUSE_IF(!path, false);
  return true;
}

} // namespace

TEST(Refuse, ReturnsTheRefusalOnlyWhenTheConditionHolds) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(CheckedSize(4), 8);
  EXPECT_TRUE(Accepts("preset.fxp"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  testing::internal::CaptureStderr();
  EXPECT_EQ(CheckedSize(-3), -1);
  EXPECT_FALSE(Accepts(nullptr));
  const std::string printed = testing::internal::GetCapturedStderr();
#ifdef KELVORA_REPORT_REFUSALS
  EXPECT_NE(printed.find("refused: size < 0 (" __FILE__ ":"), std::string::npos) << printed;
  EXPECT_NE(printed.find("refused: !path ("), std::string::npos) << printed;
  EXPECT_EQ(printed.find("refused: size < 0"), printed.rfind("refused: size < 0"));
#else
  EXPECT_EQ(printed, "");
#endif
}
