#include "Base64.h"
#include "FileAccess.h"
#include "IPluginBase.h"

#include <climits>
#include <cstdio>

namespace {
/** How a value appears in preset source: a literal of the parameter's type. */
std::string ValueSource(const IParam& param) {
  const double value = param.Value();
  char text[64];
  switch (param.Type()) {
  case IParam::kTypeBool:
    return value >= 0.5 ? "true" : "false";
  case IParam::kTypeInt:
  case IParam::kTypeEnum: {
    const double clipped = value < INT_MIN ? INT_MIN : (value > INT_MAX ? INT_MAX : value);
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(clipped));
    return text;
  }
  default:
    std::snprintf(text, sizeof(text), "%.6f", value);
    return text;
  }
}

/** Appends the text to the file; true only when all of it reached the file. */
bool AppendToFile(const char* path, const std::string& text) {
  if (!path || !*path) return false;
  FILE* file = OpenFile(path, "a");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

std::string Format(const char* format, const char* text) {
  const int length = std::snprintf(nullptr, 0, format, text);
  std::string out(static_cast<size_t>(length > 0 ? length : 0), '\0');
  std::snprintf(&out[0], out.size() + 1, format, text);
  return out;
}
} // namespace

bool IPluginBase::WriteMakePresetCall(const char* path) const {
  std::string text = Format("MakePreset(\"%s\"", CurrentPresetName());
  for (int i = 0; i < NParams(); ++i)
    text += ", " + ValueSource(*GetParam(i));
  text += ");\n";
  return AppendToFile(path, text);
}

bool IPluginBase::WriteNamedPresetCall(const char* path,
                                       const char* const* paramIdentifiers) const {
  std::string text = Format("  MakePresetFromNamedParams(\"%s\"", CurrentPresetName());
  text += ", " + std::to_string(NParams());
  for (int i = 0; i < NParams(); ++i) {
    const char* identifier = paramIdentifiers && paramIdentifiers[i] ? paramIdentifiers[i] : "";
    text += ",\n    " + std::string(identifier) + ", " + ValueSource(*GetParam(i));
  }
  text += ");\n";
  return AppendToFile(path, text);
}

bool IPluginBase::WriteBase64PresetCall(const char* path) const {
  const IPreset* preset = GetPreset(mCurrentPresetIdx);
  const IByteChunk empty;
  const IByteChunk& data = preset ? preset->mChunk : empty;
  std::string text = Format("MakePresetFromBlob(\"%s\", \"", CurrentPresetName());
  text += Base64Encode(data.GetData(), static_cast<size_t>(data.Size()));
  text += "\", " + std::to_string(data.Size()) + ");\n";
  return AppendToFile(path, text);
}
