#include "MemoryFont.h"

#include <utility>

MemoryFont::MemoryFont(std::shared_ptr<const std::vector<uint8_t>> data, bool isSystem,
                       std::string styleName)
    : PlatformFont(isSystem), mData(std::move(data)), mStyleName(std::move(styleName)) {}

int MemoryFont::FaceIndex() const {
  if (!IsSystem() || mStyleName.empty()) return 0;
  if (!mData) return -1;
  return FindFontFaceForStyle(mData->data(), mData->size(), mStyleName);
}

FontDescriptor MemoryFont::NativeDescriptor() const {
  FontDescriptor descriptor;
  descriptor.data = mData;
  descriptor.faceIndex = FaceIndex();
  return descriptor;
}

std::unique_ptr<FontFaceData> MemoryFont::ReadFontData() const {
  auto fontData = std::make_unique<FontFaceData>();
  if (!mData) return fontData;
  fontData->data = *mData;
  fontData->faceIndex = FaceIndex();
  static_cast<FontFaceInfo&>(*fontData) =
      ReadFontFaceInfo(fontData->data.data(), fontData->data.size(), fontData->faceIndex);
  return fontData;
}
