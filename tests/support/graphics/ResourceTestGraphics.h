#pragma once

#include "ModulePath.h"
#include "PlatformFont.h"
#include "TestFolder.h"
#include "TestGraphics.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// A decoded image that counts the living ones, so that tests see when a cache frees it.
class CountedBitmap : public APIBitmap {
public:
  CountedBitmap(int width, int height, float scale)
      : APIBitmap(++sNextId, width, height, scale, 1.f) {
    ++sLiving;
  }
  ~CountedBitmap() override { --sLiving; }
  static inline int sLiving = 0;
  static inline int sNextId = 0;
};

// The recording graphics, also recording what the resource loading asks of the backend. Image files
// hold their pixel size as text ("64x32"); any other content does not decode.
class ResourceTestGraphics : public TestGraphics {
public:
  explicit ResourceTestGraphics(TestDelegate& dlg) : TestGraphics(dlg) {}

  struct Decode {
    std::string path;
    int scale;
  };
  struct Scaling {
    int widthPx, heightPx, targetScale;
  };

  APIBitmap* CreateBackendBitmapFromFile(const char* path, int scale, EResourceLocation,
                                         const char*) override {
    decodes.push_back({path, scale});
    int w = 0, h = 0;
    std::ifstream file(path);
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (std::sscanf(content.c_str(), "%dx%d", &w, &h) != 2) return nullptr;
    return new CountedBitmap(w, h, static_cast<float>(scale));
  }
  std::unique_ptr<APIBitmap> ScaleBitmap(const APIBitmap&, int widthPx, int heightPx,
                                         int targetScale) override {
    scalings.push_back({widthPx, heightPx, targetScale});
    if (!canScale) return nullptr;
    return std::make_unique<CountedBitmap>(widthPx, heightPx, static_cast<float>(targetScale));
  }
  bool RegisterFontWithBackend(const char* fontID, const PlatformFont&) override {
    registeredFonts.push_back(fontID);
    return acceptFonts;
  }
  void StoreFontDescriptor(const char* fontID, const PlatformFont&) override {
    storedFonts.push_back(fontID);
  }
  bool SupportsImageExtension(const char* extension) const override {
    askedExtensions.push_back(extension);
    return std::string(extension) != "gif";
  }

  std::vector<Decode> decodes;
  std::vector<Scaling> scalings;
  std::vector<std::string> registeredFonts;
  std::vector<std::string> storedFonts;
  mutable std::vector<std::string> askedExtensions;
  bool canScale = false;
  bool acceptFonts = true;
};

// An installed plug-in bundle in a fresh temporary folder, which is also the home folder
// (so the shared resources folder is <folder>/Music/Kelvora/Resources). Removed afterwards.
class TempBundle {
public:
  TempBundle() {
    SetModulePathOverride(mFolder.Write("Kelvora.vst3/Contents/x86_64-linux/Kelvora.so"));
    mEnvironment.Set("HOME", mFolder.Path().c_str());
    mEnvironment.Set("XDG_CONFIG_HOME", nullptr);
  }
  ~TempBundle() { SetModulePathOverride(""); }
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  // Writes a file relative to the root (making its folders); returns its full path.
  std::string Write(const std::string& relative, const std::string& content = "x") const {
    return mFolder.Write(relative, content);
  }
  std::string Resource(const std::string& name, const std::string& content) const {
    return Write("Kelvora.vst3/Contents/Resources/" + name, content);
  }
  std::string ResourcePath(const std::string& name) const {
    return Root() + "/Kelvora.vst3/Contents/Resources/" + name;
  }
  const std::string& Root() const { return mFolder.Path(); }

private:
  TestFolder mFolder;
  EnvironmentGuard mEnvironment;
};
