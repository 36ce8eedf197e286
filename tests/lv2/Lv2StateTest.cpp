// The state interface: the VST 3 state's bytes as one property, restored exactly, and every
// damaged or foreign property refused without a change.
#include "EffectHarness.h"
#include "KelvoraIdentity.h"
#include "Lv2TestHost.h"

#include "lv2/state/state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

// The properties a host stored, by key, with what it retrieves for them.
struct StoredState {
  struct Property {
    std::vector<uint8_t> bytes;
    uint32_t type = 0;
    uint32_t flags = 0;
  };
  std::map<uint32_t, Property> properties;

  static LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value,
                                size_t size, uint32_t type, uint32_t flags) {
    auto& p = static_cast<StoredState*>(handle)->properties[key];
    const auto* bytes = static_cast<const uint8_t*>(value);
    p.bytes.assign(bytes, bytes + size);
    p.type = type;
    p.flags = flags;
    return LV2_STATE_SUCCESS;
  }
  static const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                              uint32_t* flags) {
    auto& properties = static_cast<StoredState*>(handle)->properties;
    const auto found = properties.find(key);
    if (found == properties.end()) return nullptr;
    *size = found->second.bytes.size();
    *type = found->second.type;
    *flags = found->second.flags;
    return found->second.bytes.data();
  }
};

const LV2_State_Interface& StateOf(const Lv2TestHost& host) {
  return *static_cast<const LV2_State_Interface*>(
      host.descriptor->extension_data(LV2_STATE__interface));
}

StoredState Save(const Lv2TestHost& host, LV2_State_Status* status = nullptr) {
  StoredState state;
  const LV2_State_Status result =
      StateOf(host).save(host.handle, StoredState::Store, &state, LV2_STATE_IS_POD, nullptr);
  if (status) *status = result;
  return state;
}

LV2_State_Status Restore(const Lv2TestHost& host, StoredState& state) {
  return StateOf(host).restore(host.handle, StoredState::Retrieve, &state, 0, nullptr);
}

// A host with the URID map, its settings moved away from the defaults through its ports.
class Lv2State : public ::testing::Test {
protected:
  Lv2State() : features(urids, 512) {}

  void MoveSettings(Lv2TestHost& host) {
    host.controls[kInputGain] = 147.25f;
    host.controls[kOversampling] = 3.f;
    host.controls[kDelta] = 1.f;
    host.controls[kBias] = 0.125f;
    host.enabled = 0.f;
    host.Render(Lv2TestSignal(2, 16), 16);
  }

  Lv2TestHost::UridMap urids;
  Lv2TestHost::FullFeatures features;
};

TEST_F(Lv2State, SavesTheVst3StatesBytesAsOneProperty) {
  Lv2TestHost host(0, features.Get());
  MoveSettings(host);
  LV2_State_Status status = LV2_STATE_ERR_UNKNOWN;
  const StoredState state = Save(host, &status);
  ASSERT_EQ(status, LV2_STATE_SUCCESS);
  ASSERT_EQ(state.properties.size(), 1u);
  const auto& [key, property] = *state.properties.begin();
  EXPECT_EQ(key, urids(kKelvoraLv2StateKey));
  EXPECT_EQ(property.type, urids(kKelvoraLv2StateType));
  EXPECT_EQ(property.flags, static_cast<uint32_t>(LV2_STATE_IS_POD));

  // The VST 3 plug-in with the same settings gives its host the same bytes.
  KelvoraInstance vst3;
  for (int i = 0; i < kNumParams; ++i)
    SetParamValue(vst3.get(), i, host.ParamValue(i));
  vst3.get().SetBypassed(true);
  IByteChunk chunk;
  ASSERT_TRUE(vst3.get().WriteHostState(chunk));
  EXPECT_EQ(property.bytes, std::vector<uint8_t>(chunk.GetData(), chunk.GetData() + chunk.Size()));
  EXPECT_EQ(property.bytes.size(), 9u * sizeof(double) + sizeof(int32_t));
}

TEST_F(Lv2State, RestoresValuesAndBypassExactly) {
  Lv2TestHost source(0, features.Get());
  MoveSettings(source);
  StoredState state = Save(source);

  Lv2TestHost restored(0, features.Get());
  ASSERT_EQ(Restore(restored, state), LV2_STATE_SUCCESS);
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(restored.ParamValue(i), source.ParamValue(i)) << kKelvoraParams[i].name;
  EXPECT_TRUE(restored.Plug().IsBypassed());
  EXPECT_EQ(Save(restored).properties.begin()->second.bytes,
            state.properties.begin()->second.bytes);

  // The ports still hold the defaults the host connected them with: the state stands until the
  // host moves a port, and then the port wins.
  const auto in = Lv2TestSignal(2, 64);
  restored.Render(in, 64);
  EXPECT_EQ(restored.ParamValue(kInputGain), 147.25);
  EXPECT_TRUE(restored.Plug().IsBypassed());
  restored.controls[kInputGain] = 90.f;
  restored.enabled = 0.f;
  restored.Render(in, 64);
  restored.enabled = 1.f;
  restored.Render(in, 64);
  EXPECT_EQ(restored.ParamValue(kInputGain), 90.0);
  EXPECT_EQ(restored.ParamValue(kBias), 0.125);
  EXPECT_FALSE(restored.Plug().IsBypassed());
}

TEST_F(Lv2State, RefusesDamagedOrForeignPropertiesWithoutAChange) {
  Lv2TestHost source(0, features.Get());
  MoveSettings(source);
  const StoredState good = Save(source);
  const uint32_t key = urids(kKelvoraLv2StateKey);

  Lv2TestHost target(0, features.Get());
  target.controls[kWet] = 12.5f;
  target.Render(Lv2TestSignal(2, 8), 8);
  const std::vector<uint8_t> before = Save(target).properties.at(key).bytes;

  StoredState truncated = good, empty = good, foreignType = good, missing;
  truncated.properties[key].bytes.pop_back();
  empty.properties[key].bytes.clear();
  foreignType.properties[key].type = urids("http://example.org/other#Type");
  missing.properties[urids("http://example.org/other#key")] = good.properties.at(key);
  EXPECT_EQ(Restore(target, truncated), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Restore(target, empty), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Restore(target, foreignType), LV2_STATE_ERR_BAD_TYPE);
  EXPECT_EQ(Restore(target, missing), LV2_STATE_ERR_NO_PROPERTY);
  EXPECT_EQ(StateOf(target).restore(target.handle, nullptr, &missing, 0, nullptr),
            LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Save(target).properties.at(key).bytes, before);
  EXPECT_EQ(target.ParamValue(kWet), 12.5);
  EXPECT_FALSE(target.Plug().IsBypassed());
}

TEST_F(Lv2State, NeedsTheUridMapToNameItsProperty) {
  Lv2TestHost host(0, nullptr);
  LV2_State_Status status = LV2_STATE_SUCCESS;
  const StoredState state = Save(host, &status);
  EXPECT_EQ(status, LV2_STATE_ERR_NO_FEATURE);
  EXPECT_TRUE(state.properties.empty());
  StoredState nothing;
  EXPECT_EQ(Restore(host, nothing), LV2_STATE_ERR_NO_FEATURE);
}

} // namespace
