#pragma once

#include "PlatformFont.h"

#include <string>

// A font file held in memory: loaded from a resource file, from bytes, or from the installed
// file that the system named for a family and style.
class MemoryFont : public PlatformFont {
public:
  MemoryFont(std::shared_ptr<const std::vector<uint8_t>> data, bool isSystem,
             std::string styleName);

  FontDescriptor NativeDescriptor() const override;
  std::unique_ptr<FontFaceData> ReadFontData() const override;

  const std::string& StyleName() const { return mStyleName; }

private:
  // Face 0, except for an installed font asked for by style, whose face carries that style.
  int FaceIndex() const;

  std::shared_ptr<const std::vector<uint8_t>> mData;
  std::string mStyleName; // "" for fonts from files or memory
};
