#include "SystemFontLookup.h"

#include <fontconfig/fontconfig.h>
#include <memory>
#include <strings.h>

namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Utf8(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
}

bool HasFamily(FcPattern* match, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) return true;
  return false;
}

} // namespace

bool FindInstalledFontFile(const std::string& family, const std::string& style, std::string& path) {
  path.clear();
  if (family.empty() || !FcInit()) return false;

  Pattern request(FcPatternCreate());
  if (!request || !FcPatternAddString(request.get(), FC_FAMILY, Utf8(family)) ||
      !FcPatternAddString(request.get(), FC_STYLE, Utf8(style)))
    return false;
  FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());

  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, request.get(), &result));
  if (!match || result != FcResultMatch || !HasFamily(match.get(), family)) return false;

  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
    return false;
  path = reinterpret_cast<const char*>(file);
  return true;
}
