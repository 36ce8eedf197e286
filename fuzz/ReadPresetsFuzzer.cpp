#include "FuzzPlugin.h"

#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > INT_MAX) return 0;
  IByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));
  FuzzPlugin plugin(true, 3);
  const int pos = plugin.ReadPresets(chunk, 0);
  if (pos > chunk.Size()) __builtin_trap();
  plugin.CheckInvariants();
  IByteChunk bank;
  plugin.WritePresets(bank);
  FuzzPlugin reader(true, 3);
  reader.ReadPresets(bank, 0);
  reader.CheckInvariants();
  return 0;
}
