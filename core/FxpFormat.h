#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/** The VST 2 program (fxp) and bank (fxb) file layouts: four-character magics and
 *  big-endian 32-bit fields, written to and read from whole file images in memory. */
namespace FxpFormat {

/** A four-character code, first character in the most significant byte. */
constexpr uint32_t FourCC(const char (&code)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

constexpr uint32_t kChunkMagic = FourCC("CcnK");
constexpr uint32_t kProgramParamsMagic = FourCC("FxCk");
constexpr uint32_t kProgramChunkMagic = FourCC("FPCh");
constexpr uint32_t kBankParamsMagic = FourCC("FxBk");
constexpr uint32_t kBankChunkMagic = FourCC("FBCh");
/** Leads the opaque chunk, followed by a little-endian 32-bit 0x00010000. */
constexpr uint32_t kChunkTag = FourCC("tffp");
constexpr uint32_t kChunkTagVersion = 0x00010000;
constexpr int kChunkTagBytes = 8;

constexpr int kProgramFormatVersion = 1;
constexpr int kBankFormatVersion = 2;
/** Program names take 28 bytes; at most 27 of a name are kept so that one zero remains. */
constexpr int kProgramNameBytes = 28;
/** A program record up to and including its name; the chunk size or the values follow. */
constexpr int kProgramHeaderBytes = 28 + kProgramNameBytes;
constexpr int kBankReservedBytes = 124;
/** A bank up to and including its reserved bytes; the chunk size or the programs follow. */
constexpr int kBankHeaderBytes = 32 + kBankReservedBytes;
/** The byte size field of a chunk-form file counts the whole file. */
constexpr int kProgramChunkOverhead = kProgramHeaderBytes + 4;
constexpr int kBankChunkOverhead = kBankHeaderBytes + 4;

/** Appends big-endian fields to a file image. */
class Writer {
public:
  explicit Writer(std::vector<uint8_t>& image) : mImage(image) {}

  void Int(uint32_t value);
  void Float(float value);
  void Bytes(const void* data, size_t size);
  void Zeros(size_t count);
  /** The name in kProgramNameBytes bytes, zero-padded, cut to kProgramNameBytes - 1. */
  void ProgramName(const char* name);

private:
  std::vector<uint8_t>& mImage;
};

/** Reads big-endian fields from a file image. A read past the end yields zeros and marks the
 *  reader failed for good, so a run of reads can be checked once at its end. */
class Reader {
public:
  Reader(const uint8_t* data, size_t size) : mData(data), mSize(data ? size : 0) {}

  uint32_t Int();
  int32_t SignedInt() { return static_cast<int32_t>(Int()); }
  float Float();
  /** The name field: up to its first zero byte, always zero-terminated. */
  void ProgramName(char (&name)[kProgramNameBytes + 1]);
  bool Skip(size_t count);
  /** The 8-byte chunk tag at the current position, if present, is skipped. */
  void SkipChunkTag();

  bool Ok() const { return mOk; }
  size_t Position() const { return mPos; }
  size_t Remaining() const { return mSize - mPos; }
  const uint8_t* Current() const { return mData + mPos; }

private:
  bool Take(void* out, size_t count);

  const uint8_t* mData;
  size_t mSize;
  size_t mPos = 0;
  bool mOk = true;
};

} // namespace FxpFormat
