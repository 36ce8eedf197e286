#pragma once

#include "FontDescriptor.h"
#include "FontFaceData.h"

#include <memory>

// A font as the platform found it, alive only while one font load runs.
class PlatformFont {
public:
  explicit PlatformFont(bool isSystem) : mIsSystem(isSystem) {}
  virtual ~PlatformFont() = default;
  PlatformFont(const PlatformFont&) = delete;
  PlatformFont& operator=(const PlatformFont&) = delete;

  virtual FontDescriptor NativeDescriptor() const = 0;
  // A new copy of the font's bytes with the tables of its face read.
  virtual std::unique_ptr<FontFaceData> ReadFontData() const = 0;

  // True when the font was found by family and style among the installed fonts.
  bool IsSystem() const { return mIsSystem; }

private:
  bool mIsSystem;
};

using PlatformFontPtr = std::unique_ptr<PlatformFont>;
