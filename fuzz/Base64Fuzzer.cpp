#include "Base64.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// The first byte sets the room for the decoded bytes; the rest is the text, unterminated.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t room = data[0];
  const char* text = reinterpret_cast<const char*>(data + 1);
  std::vector<uint8_t> out(room);
  const size_t produced = Base64Decode(text, size - 1, out.data(), out.size());
  if (produced > room) __builtin_trap();
  for (size_t i = produced; i < room; ++i) {
    if (out[i] != 0) __builtin_trap();
  }
  // What was decoded encodes back to the text it came from, up to the last whole group.
  const std::string encoded = Base64Encode(out.data(), produced);
  const size_t whole = produced / 3 * 4;
  if (encoded.size() < whole || std::memcmp(encoded.data(), text, whole) != 0) __builtin_trap();
  return 0;
}
