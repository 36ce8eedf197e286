#include "FxpFormat.h"

#include <cstring>

namespace FxpFormat {

void Writer::Int(uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                            static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  Bytes(bytes, 4);
}

void Writer::Float(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  Int(bits);
}

void Writer::Bytes(const void* data, size_t size) {
  if (!data || size == 0) return;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  mImage.insert(mImage.end(), bytes, bytes + size);
}

void Writer::Zeros(size_t count) {
  mImage.insert(mImage.end(), count, 0);
}

void Writer::ProgramName(const char* name) {
  uint8_t field[kProgramNameBytes] = {};
  if (name) std::memcpy(field, name, strnlen(name, kProgramNameBytes - 1));
  Bytes(field, kProgramNameBytes);
}

bool Reader::Take(void* out, size_t count) {
  if (!mOk || count > Remaining()) {
    mOk = false;
    std::memset(out, 0, count);
    return false;
  }
  std::memcpy(out, mData + mPos, count);
  mPos += count;
  return true;
}

uint32_t Reader::Int() {
  uint8_t bytes[4];
  Take(bytes, 4);
  return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
         (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

float Reader::Float() {
  const uint32_t bits = Int();
  float value;
  std::memcpy(&value, &bits, 4);
  return value;
}

void Reader::ProgramName(char (&name)[kProgramNameBytes + 1]) {
  Take(name, kProgramNameBytes);
  name[kProgramNameBytes] = '\0';
}

bool Reader::Skip(size_t count) {
  if (!mOk || count > Remaining()) {
    mOk = false;
    return false;
  }
  mPos += count;
  return true;
}

void Reader::SkipChunkTag() {
  if (mOk && Remaining() >= kChunkTagBytes) {
    Reader peek(Current(), Remaining());
    if (peek.Int() == kChunkTag) mPos += kChunkTagBytes;
  }
}

} // namespace FxpFormat
