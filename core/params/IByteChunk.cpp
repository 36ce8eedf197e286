#include "IByteChunk.h"

#include <cstdint>
#include <functional>

int IByteChunk::PutBytes(const void* data, int size) {
  if (!data || size <= 0) return Size();
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  const std::less<const uint8_t*> before;
  // Bytes from inside this chunk would move when it grows: copy them first.
  if (!mBytes.empty() && !before(bytes, mBytes.data()) && before(bytes, mBytes.data() + Size())) {
    const std::vector<uint8_t> copy(bytes, bytes + size);
    mBytes.insert(mBytes.end(), copy.begin(), copy.end());
  } else {
    mBytes.insert(mBytes.end(), bytes, bytes + size);
  }
  return Size();
}

int IByteChunk::GetBytes(void* out, int size, int startPos) const {
  // Compared in 64 bits: startPos + size must not wrap around.
  if (!out || size < 0 || startPos < 0 ||
      static_cast<int64_t>(startPos) + size > static_cast<int64_t>(Size()))
    return -1;
  if (size > 0) std::memcpy(out, mBytes.data() + startPos, static_cast<size_t>(size));
  return startPos + size;
}

int IByteChunk::PutStr(const char* text) {
  const int length = text ? static_cast<int>(strnlen(text, INT32_MAX)) : 0;
  Put(static_cast<int32_t>(length));
  return PutBytes(text, length);
}

int IByteChunk::GetStr(std::string& text, int startPos) const {
  int32_t length = 0;
  const int pos = Get(length, startPos);
  if (pos < 0 || length < 0 || static_cast<int64_t>(pos) + length > static_cast<int64_t>(Size()))
    return -1;
  text.assign(reinterpret_cast<const char*>(mBytes.data()) + pos, static_cast<size_t>(length));
  return pos + length;
}

int IByteChunk::PutChunk(const IByteChunk& other) {
  return PutBytes(other.GetData(), other.Size());
}

int IByteChunk::Resize(int newSize) {
  mBytes.resize(newSize > 0 ? static_cast<size_t>(newSize) : 0u, 0);
  return Size();
}
