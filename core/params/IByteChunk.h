#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "chunks store values in the machine's order, which must be little-endian");

// A growable run of bytes: values are appended at the end and read back from a
// caller-given position. Every read is checked against the size; a read that
// does not fit, or starts at a negative position, returns -1 and leaves the
// destination untouched.
class IByteChunk {
public:
  IByteChunk() = default;

  // Appends size bytes and returns the new size; null data or a size below 1 appends nothing.
  int PutBytes(const void* data, int size);
  // Copies size bytes from startPos; returns the position after them or -1.
  int GetBytes(void* out, int size, int startPos) const;

  template <class T> int Put(const T& value) {
    static_assert(std::is_trivially_copyable<T>::value, "only plain values are stored");
    return PutBytes(&value, static_cast<int>(sizeof(T)));
  }
  template <class T> int Get(T& value, int startPos) const {
    static_assert(std::is_trivially_copyable<T>::value, "only plain values are stored");
    return GetBytes(&value, static_cast<int>(sizeof(T)), startPos);
  }

  // Text: a 32-bit length followed by the bytes, no terminator.
  int PutStr(const char* text);
  int GetStr(std::string& text, int startPos) const;

  int PutChunk(const IByteChunk& other);
  void Clear() { mBytes.clear(); }
  int Size() const { return static_cast<int>(mBytes.size()); }
  // Grows with zero bytes or cuts; a negative size empties the chunk.
  int Resize(int newSize);
  uint8_t* GetData() { return mBytes.data(); }
  const uint8_t* GetData() const { return mBytes.data(); }
  bool IsEqual(const IByteChunk& other) const { return mBytes == other.mBytes; }

private:
  std::vector<uint8_t> mBytes;
};
