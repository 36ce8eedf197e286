#include "IPlugLV2.h"

#include "Refuse.h"

// The state is one property: the bytes IPlugInstance::WriteHostState writes, the same that the
// VST 3 binding gives its host. They hold numbers in the machine's byte order, so the property
// is plain data but not portable.
LV2_State_Status IPlugLV2::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle) {
  KELVORA_REFUSE_IF(!store, LV2_STATE_ERR_UNKNOWN);
  KELVORA_REFUSE_IF(!mStateKey || !mStateType, LV2_STATE_ERR_NO_FEATURE);
  IByteChunk chunk;
  if (!WriteHostState(chunk)) return LV2_STATE_ERR_UNKNOWN;
  return store(handle, mStateKey, chunk.GetData(), static_cast<size_t>(chunk.Size()), mStateType,
               LV2_STATE_IS_POD);
}

LV2_State_Status IPlugLV2::RestoreState(LV2_State_Retrieve_Function retrieve,
                                        LV2_State_Handle handle) {
  KELVORA_REFUSE_IF(!retrieve, LV2_STATE_ERR_UNKNOWN);
  KELVORA_REFUSE_IF(!mStateKey || !mStateType, LV2_STATE_ERR_NO_FEATURE);
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* data = retrieve(handle, mStateKey, &size, &type, &flags);
  KELVORA_REFUSE_IF(!data, LV2_STATE_ERR_NO_PROPERTY);
  KELVORA_REFUSE_IF(type != mStateType, LV2_STATE_ERR_BAD_TYPE);
  // The instance restores the values of a state that lacks its bypass integer before it refuses
  // it; a property shorter than a whole state is refused here, before anything changes.
  IByteChunk whole;
  WriteHostState(whole);
  KELVORA_REFUSE_IF(size < static_cast<size_t>(whole.Size()) || size > kMaxStateBytes,
                    LV2_STATE_ERR_UNKNOWN);
  IByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));
  return ReadHostState(chunk) ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}
