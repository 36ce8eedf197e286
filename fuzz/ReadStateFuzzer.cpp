#include "FuzzPlugin.h"

#include <climits>
#include <cstddef>
#include <cstdint>

// The first byte picks the start position; the rest is the chunk.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > INT_MAX) return 0;
  IByteChunk chunk;
  chunk.PutBytes(data + 1, static_cast<int>(size - 1));
  FuzzPlugin plugin(false, 1);
  const int startPos = static_cast<int8_t>(data[0]);
  const int pos = plugin.ReadState(chunk, startPos);
  if (pos > chunk.Size() || (pos >= 0 && pos < startPos)) __builtin_trap();
  plugin.ReadParamValues(chunk, pos);
  plugin.CheckInvariants();
  IByteChunk state;
  if (!plugin.WriteState(state) || state.Size() != 72) __builtin_trap();
  return 0;
}
