// Component state on a small plug-in: what hostile or unusual streams do to it.
#include "IPlugVST3Constants.h"
#include "TestPlugs.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::vector<char> Bytes(IBStream& stream) {
  int64 size = 0;
  stream.seek(0, IBStream::kIBSeekEnd, &size);
  std::vector<char> bytes(static_cast<size_t>(size));
  stream.seek(0, IBStream::kIBSeekSet, nullptr);
  int32 read = 0;
  stream.read(bytes.data(), static_cast<int32>(size), &read);
  return bytes;
}

IPtr<MemoryStream> StreamOf(const std::vector<char>& bytes) {
  auto stream = owned(new MemoryStream);
  stream->write(const_cast<char*>(bytes.data()), static_cast<int32>(bytes.size()), nullptr);
  stream->seek(0, IBStream::kIBSeekSet, nullptr);
  return stream;
}

struct StatePlug {
  StatePlug() : plug(owned(new GroupedMidiPlug)) { EXPECT_EQ(plug->initialize(&host), kResultOk); }
  ~StatePlug() { plug->terminate(); }
  std::vector<double> Values() const {
    std::vector<double> values;
    for (int i = 0; i < plug->NParams(); ++i)
      values.push_back(plug->GetParam(i)->Value());
    return values;
  }
  HostApplication host;
  IPtr<GroupedMidiPlug> plug;
};

TEST(ComponentState, RoundTripWithAndWithoutBypass) {
  StatePlug source;
  source.plug->GetParam(0)->SetValue(0.75);
  source.plug->GetParam(4)->SetValue(3);
  auto saved = owned(new MemoryStream);
  ASSERT_EQ(source.plug->getState(saved), kResultOk);
  std::vector<char> bytes = Bytes(*saved);
  ASSERT_EQ(bytes.size(), 5 * sizeof(double) + sizeof(int32));

  StatePlug target;
  ASSERT_EQ(target.plug->setState(StreamOf(bytes)), kResultOk);
  EXPECT_EQ(target.Values(), source.Values());
  EXPECT_DOUBLE_EQ(target.plug->getParamNormalized(0), 0.75);

  // The saved bypass integer sets the bypass object.
  bytes.back() = 0;
  const int32 on = 1;
  std::memcpy(bytes.data() + bytes.size() - sizeof(int32), &on, sizeof(on));
  ASSERT_EQ(target.plug->setState(StreamOf(bytes)), kResultOk);
  EXPECT_EQ(target.plug->getParamNormalized(kBypassParamID), 1.0);

  // Without the trailing integer: false, but the values are those of the stream.
  StatePlug third;
  bytes.resize(bytes.size() - sizeof(int32));
  EXPECT_EQ(third.plug->setState(StreamOf(bytes)), kResultFalse);
  EXPECT_EQ(third.Values(), source.Values());
}

// A host that loads a bypassed project sees the bypass switch on and sends no change for it, so
// the restored flag itself must reach what is heard and what is saved next.
TEST(ComponentState, RestoredBypassIsHeardAndSavedAgain) {
  StatePlug source;
  source.plug->GetParam(0)->SetValue(0.5);
  auto saved = owned(new MemoryStream);
  ASSERT_EQ(source.plug->getState(saved), kResultOk);
  std::vector<char> bytes = Bytes(*saved);
  const int32 on = 1;
  std::memcpy(bytes.data() + bytes.size() - sizeof(int32), &on, sizeof(on));

  StatePlug target;
  ASSERT_EQ(target.plug->setState(StreamOf(bytes)), kResultOk);
  EXPECT_TRUE(target.plug->IsBypassed());
  auto resaved = owned(new MemoryStream);
  ASSERT_EQ(target.plug->getState(resaved), kResultOk);
  EXPECT_EQ(Bytes(*resaved), bytes);

  // And a state saved without bypass switches it off again.
  const int32 off = 0;
  std::memcpy(bytes.data() + bytes.size() - sizeof(int32), &off, sizeof(off));
  ASSERT_EQ(target.plug->setState(StreamOf(bytes)), kResultOk);
  EXPECT_FALSE(target.plug->IsBypassed());
  EXPECT_EQ(target.plug->getParamNormalized(kBypassParamID), 0.0);
}

TEST(ComponentState, StateFromTheMiddleOfAHostStream) {
  StatePlug source;
  source.plug->GetParam(0)->SetValue(0.5);
  auto saved = owned(new MemoryStream);
  ASSERT_EQ(source.plug->getState(saved), kResultOk);
  std::vector<char> bytes(11, 'x');
  const std::vector<char> state = Bytes(*saved);
  bytes.insert(bytes.end(), state.begin(), state.end());
  auto stream = StreamOf(bytes);
  stream->seek(11, IBStream::kIBSeekSet, nullptr);
  StatePlug target;
  EXPECT_EQ(target.plug->setState(stream), kResultOk);
  EXPECT_EQ(target.Values(), source.Values());
}

TEST(ComponentState, HostileStreamsLeaveTheStateAlone) {
  StatePlug t;
  const std::vector<double> before = t.Values();
  EXPECT_EQ(t.plug->setState(nullptr), kInvalidArgument);
  EXPECT_EQ(t.plug->getState(nullptr), kInvalidArgument);
  EXPECT_EQ(t.plug->setState(StreamOf({})), kResultFalse);
  EXPECT_EQ(t.plug->setState(StreamOf(std::vector<char>(13, 0x7F))), kResultFalse);
  EXPECT_EQ(t.Values(), before);

  // Random bytes of a whole state's length may land, but only as valid values.
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<char> bytes(static_cast<size_t>(random() % 200));
    for (char& byte : bytes)
      byte = static_cast<char>(random());
    t.plug->setState(StreamOf(bytes));
    for (int i = 0; i < t.plug->NParams(); ++i) {
      const IParam& param = *t.plug->GetParam(i);
      ASSERT_GE(param.Value(), param.Min());
      ASSERT_LE(param.Value(), param.Max());
    }
  }
  // A stream far larger than any state is read only as far as needed.
  std::vector<char> huge(3 * 1024 * 1024, 0);
  EXPECT_EQ(t.plug->setState(StreamOf(huge)), kResultOk);
}

} // namespace
