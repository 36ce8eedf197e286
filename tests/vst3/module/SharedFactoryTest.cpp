// The helper every module's GetPluginFactory goes through: one factory shared by all requests
// while any reference lives, and failures that stay inside the module.
#include "SharedFactory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>
#include <vector>

using namespace Steinberg;

namespace {

std::atomic<int> builds{0};

CPluginFactory* BuildEmpty() {
  ++builds;
  return new CPluginFactory(PFactoryInfo("Shared Test", "", "", PFactoryInfo::kUnicode));
}

CPluginFactory* BuildNothing() {
  ++builds;
  return nullptr;
}

CPluginFactory* BuildThrowing() {
  ++builds;
  throw std::bad_alloc();
}

TEST(SharedPluginFactory, ConcurrentRequestsShareOneFactoryUntilTheLastReleaseLetsItGo) {
  ASSERT_EQ(gPluginFactory, nullptr);
  builds = 0;
  constexpr int kThreads = 8;
  std::vector<IPluginFactory*> got(kThreads, nullptr);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&got, i] { got[i] = SharedPluginFactory(BuildEmpty); });
  for (auto& thread : threads)
    thread.join();

  EXPECT_EQ(builds, 1);
  ASSERT_NE(got[0], nullptr);
  for (IPluginFactory* factory : got)
    EXPECT_EQ(factory, got[0]);
  EXPECT_EQ(gPluginFactory, got[0]);

  for (int i = 1; i < kThreads; ++i)
    got[i]->release();
  EXPECT_EQ(gPluginFactory, got[0]) << "released before the last reference went";
  got[0]->release();
  EXPECT_EQ(gPluginFactory, nullptr);

  IPluginFactory* again = SharedPluginFactory(BuildEmpty);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(builds, 2);
  again->release();
  EXPECT_EQ(gPluginFactory, nullptr);
}

TEST(SharedPluginFactory, AFailedBuildReturnsNullAndTheNextRequestBuildsAgain) {
  ASSERT_EQ(gPluginFactory, nullptr);
  builds = 0;
  EXPECT_EQ(SharedPluginFactory(BuildThrowing), nullptr);
  EXPECT_EQ(SharedPluginFactory(BuildNothing), nullptr);
  EXPECT_EQ(gPluginFactory, nullptr);

  IPluginFactory* factory = SharedPluginFactory(BuildEmpty);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(builds, 3);
  PFactoryInfo info;
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Shared Test");
  factory->release();
  EXPECT_EQ(gPluginFactory, nullptr);
}

} // namespace
