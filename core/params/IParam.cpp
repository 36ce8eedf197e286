#include "IParam.h"

#include "BoundedText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// Longest text the built-in formatting produces.
constexpr size_t kMaxDisplayLength = 32;
// Each piece of the JSON description is limited to this many bytes.
constexpr int kJsonPieceLimit = 8192;

int PrecisionForStep(double step) {
  if (std::floor(step) == step) return 0;
  double s = step;
  for (int i = 1; i < kMaxDisplayPrecision; ++i) {
    s *= 10.0;
    if (std::floor(s) == s) return i;
  }
  return kMaxDisplayPrecision;
}

// Fixed-point text that ignores the process locale: hosts may switch it, and
// the display must parse back the same way everywhere.
void AppendFixed(std::string& out, double value, int precision, bool forceSign) {
  char buf[400];
  char* first = buf;
  if (forceSign && value > 0.0) *first++ = '+';
  const auto result =
      std::to_chars(first, buf + sizeof(buf), value, std::chars_format::fixed, precision);
  out.append(buf, result.ec == std::errc() ? result.ptr : first);
}

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::round(value);
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

// The leading decimal number of text (blanks before it allowed), 0 when there is none.
double LeadingNumber(const char* text) {
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
    ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') {
    negative = *text == '-';
    ++text;
  }
  if (!((*text >= '0' && *text <= '9') || *text == '.')) return 0.0;
  const char* end = text + std::strlen(text);
  double value = 0.0;
  const auto result = std::from_chars(text, end, value, std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) return 0.0;
  if (result.ec == std::errc::result_out_of_range) value = std::strtod(text, nullptr);
  return negative ? -value : value;
}

void AppendJsonEscaped(std::string& out, const char* text) {
  for (const char* p = text; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof(buf), "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
}

void AppendLimited(std::string& out, const std::string& piece) {
  out.append(piece, 0, std::min(piece.size(), static_cast<size_t>(kJsonPieceLimit - 1)));
}

void AppendJsonNumber(std::string& out, const char* key, double value) {
  std::string piece = "\"";
  piece += key;
  piece += "\":";
  AppendFixed(piece, value, 6, false);
  piece += ", ";
  AppendLimited(out, piece);
}
} // namespace

void IParam::Shape::Prepare(const IParam&) {}

double IParam::ShapeLinear::ToValue(const IParam& param, double normalized) const {
  return param.Min() + param.Range() * normalized;
}

double IParam::ShapeLinear::ToNormalized(const IParam& param, double value) const {
  return (value - param.Min()) / param.Range();
}

int IParam::ShapePowCurve::DisplayCurveHint() const {
  if (mShape > 2.5) return 6;
  if (mShape > 1.5) return 4;
  if (mShape < 0.4) return 5;
  if (mShape < 2.0 / 3.0) return 3;
  return 0;
}

double IParam::ShapePowCurve::ToValue(const IParam& param, double normalized) const {
  return param.Min() + param.Range() * std::pow(normalized, mShape);
}

double IParam::ShapePowCurve::ToNormalized(const IParam& param, double value) const {
  return std::pow((value - param.Min()) / param.Range(), 1.0 / mShape);
}

void IParam::ShapeExp::Prepare(const IParam& param) {
  // A logarithmic mapping needs a positive lower reference.
  const double lo = param.Min() > 0.0 ? param.Min() : 1e-8;
  mAdd = std::log(lo);
  mMul = std::log(param.Max() / lo);
}

double IParam::ShapeExp::ToValue(const IParam&, double normalized) const {
  return std::exp(normalized * mMul + mAdd);
}

double IParam::ShapeExp::ToNormalized(const IParam&, double value) const {
  return (std::log(value) - mAdd) / mMul;
}

IParam::IParam() : mShape(std::make_unique<ShapeLinear>()) {}

IParam::~IParam() = default;

void IParam::DefineDouble(const char* name, double defaultVal, double minVal, double maxVal,
                          double step, const char* label, int flags, const char* group,
                          const Shape& shape, ParamUnit unit, DisplayFunc displayFunc) {
  if (mType == kTypeNone) mType = kTypeDouble;

  CopyBoundedText(mName, name);
  CopyBoundedText(mLabel, label);
  CopyBoundedText(mGroup, group);

  // A definition must leave a usable range whatever it was given.
  if (!std::isfinite(minVal)) minVal = 0.0;
  if (!std::isfinite(maxVal)) maxVal = minVal;
  if (!std::isfinite(step)) step = 0.0;
  if (!std::isfinite(defaultVal)) defaultVal = minVal;

  mMin = minVal;
  mMax = std::max({maxVal, minVal + step, minVal});
  mStep = step;
  mDefault = defaultVal;
  mUnit = unit;
  mFlags = flags;
  mDisplayFunc = std::move(displayFunc);
  mValue.store(ClampValue(defaultVal));
  mDisplayPrecision = PrecisionForStep(step);

  mShape.reset(shape.Clone());
  mShape->Prepare(*this);
}

void IParam::Define(const ParamDef& def) {
  DefineDouble(def.name, def.defaultValue, def.min, def.max, def.step, def.unit);
  mDisplayPrecision = std::clamp(def.displayPrecision, 0, kMaxDisplayPrecision);
}

void IParam::DefineBool(const char* name, bool defaultVal, const char* label, int flags,
                        const char* group, const char* offText, const char* onText) {
  if (mType == kTypeNone) mType = kTypeBool;
  DefineDouble(name, defaultVal ? 1.0 : 0.0, 0.0, 1.0, 1.0, label, flags | FlagStepped, group);
  AddDisplayText(0.0, offText);
  AddDisplayText(1.0, onText);
}

void IParam::DefineEnumFromTexts(const char* name, int defaultVal, int nEnums, const char* label,
                                 int flags, const char* group, const char* const* texts,
                                 int nTexts) {
  if (mType == kTypeNone) mType = kTypeEnum;
  DefineDouble(name, defaultVal, 0.0, static_cast<double>(nEnums) - 1.0, 1.0, label,
               flags | FlagStepped, group);
  if (!texts[0]) return;
  AddDisplayText(0.0, texts[0]);
  // Only the texts actually given are read, however large nEnums is.
  for (int i = 1; i < nEnums && i < nTexts; ++i)
    AddDisplayText(i, texts[i]);
}

void IParam::DefineEnum(const char* name, int defaultVal, std::initializer_list<const char*> items,
                        int flags, const char* group) {
  if (mType == kTypeNone) mType = kTypeEnum;
  DefineDouble(name, defaultVal, 0.0, static_cast<double>(items.size()) - 1.0, 1.0, "",
               flags | FlagStepped, group);
  int i = 0;
  for (const char* item : items)
    AddDisplayText(i++, item);
}

void IParam::DefineInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label,
                       int flags, const char* group) {
  if (mType == kTypeNone) mType = kTypeInt;
  DefineDouble(name, defaultVal, minVal, maxVal, 1.0, label, flags | FlagStepped, group);
}

void IParam::DefineFrequency(const char* name, double defaultVal, double minVal, double maxVal,
                             double step, int flags, const char* group) {
  DefineDouble(name, defaultVal, minVal, maxVal, step, "Hz", flags, group, ShapeExp(),
               kUnitFrequency);
}

void IParam::DefineSeconds(const char* name, double defaultVal, double minVal, double maxVal,
                           double step, int flags, const char* group) {
  DefineDouble(name, defaultVal, minVal, maxVal, step, "Seconds", flags, group, ShapeLinear(),
               kUnitSeconds);
}

void IParam::DefineMilliseconds(const char* name, double defaultVal, double minVal, double maxVal,
                                int flags, const char* group) {
  DefineDouble(name, defaultVal, minVal, maxVal, 1.0, "ms", flags, group, ShapeLinear(),
               kUnitMilliseconds);
}

void IParam::DefineGain(const char* name, double defaultVal, double minVal, double maxVal,
                        double step, int flags, const char* group) {
  DefineDouble(name, defaultVal, minVal, maxVal, step, "dB", flags, group, ShapeLinear(), kUnitDB);
}

void IParam::DefinePercentage(const char* name, double defaultVal, double minVal, double maxVal,
                              int flags, const char* group) {
  DefineDouble(name, defaultVal, minVal, maxVal, 1.0, "%", flags, group, ShapeLinear(),
               kUnitPercentage);
}

void IParam::DefineAngle(const char* name, double defaultVal, double minVal, double maxVal,
                         int flags, const char* group) {
  DefineDouble(name, defaultVal, minVal, maxVal, 1.0, "degrees", flags, group, ShapeLinear(),
               kUnitDegrees);
}

void IParam::DefinePitch(const char* name, int defaultVal, int lowNote, int highNote, int flags,
                         const char* group, bool middleCIsC3) {
  static const char* const kNoteNames[12] = {"C ", "C#", "D ", "D#", "E ", "F ",
                                             "F#", "G ", "G#", "A ", "A#", "B "};
  // Notes are MIDI notes: outside 0..127 there is no note to name.
  lowNote = std::clamp(lowNote, 0, 127);
  highNote = std::clamp(highNote, 0, 127);

  if (mType == kTypeNone) mType = kTypeEnum;
  DefineDouble(name, defaultVal, 0.0, highNote - lowNote, 1.0, "", flags | FlagStepped, group);
  for (int i = 0; i <= highNote - lowNote; ++i) {
    const int note = lowNote + i;
    const int octave = note / 12 - (middleCIsC3 ? 1 : 2);
    char text[kMaxTextLength + 1];
    std::snprintf(text, sizeof(text), "%s%i", kNoteNames[note % 12], octave);
    AddDisplayText(i, text);
  }
}

void IParam::DefineFrom(const IParam& source, const char* searchText, const char* replaceText,
                        const char* newGroup) {
  // Everything is taken from the source before anything is written, so a
  // parameter may be redefined from itself.
  std::string name = source.mName;
  if (searchText && *searchText) {
    const size_t pos = name.find(searchText);
    if (pos != std::string::npos)
      name.replace(pos, std::strlen(searchText), replaceText ? replaceText : "");
  }
  const std::string group = (newGroup && *newGroup) ? newGroup : source.mGroup;
  const std::string label = source.mLabel;
  const std::unique_ptr<Shape> shape(source.mShape->Clone());
  const std::vector<DisplayText> texts = source.mDisplayTexts;

  if (mType == kTypeNone) mType = source.mType;
  DefineDouble(name.c_str(), source.mDefault, source.mMin, source.mMax, source.mStep, label.c_str(),
               source.mFlags, group.c_str(), *shape, source.mUnit, source.mDisplayFunc);
  for (const DisplayText& entry : texts)
    AddDisplayText(entry.mValue, entry.mText);
}

double IParam::Snap(double value) const {
  if (!(mFlags & FlagStepped) || mStep == 0.0) return value;
  const double snapped = std::round(value / mStep) * mStep;
  return std::isnan(snapped) ? value : snapped;
}

double IParam::ClampValue(double value) const {
  value = Snap(value);
  if (std::isnan(value)) return mMin;
  return std::clamp(value, mMin, mMax);
}

void IParam::SetValue(double value) {
  if (!std::isfinite(value)) return;
  mValue.store(ClampValue(value));
}

double IParam::ValueFromNormalized(double normalized) const {
  return ClampValue(mShape->ToValue(*this, normalized));
}

double IParam::NormalizedFromValue(double value) const {
  const double normalized = mShape->ToNormalized(*this, ClampValue(value));
  if (std::isnan(normalized)) return 0.0;
  return std::clamp(normalized, 0.0, 1.0);
}

void IParam::SetNormalized(double normalized) {
  if (!std::isfinite(normalized)) return;
  SetValue(ValueFromNormalized(normalized));
}

void IParam::Bounds(double& lo, double& hi) const {
  lo = mMin;
  hi = mMax;
}

const char* IParam::HostLabel() const {
  const char* text = DisplayTextFor(std::trunc(Value()));
  return *text ? "" : mLabel;
}

void IParam::AddDisplayText(double value, const char* text) {
  DisplayText entry;
  entry.mValue = value;
  CopyBoundedText(entry.mText, text);
  mDisplayTexts.push_back(entry);
}

const char* IParam::DisplayTextAt(int index, double* outValue) const {
  if (index < 0 || index >= DisplayTextCount()) return nullptr;
  const DisplayText& entry = mDisplayTexts[static_cast<size_t>(index)];
  if (outValue) *outValue = entry.mValue;
  return entry.mText;
}

const char* IParam::DisplayTextFor(double value) const {
  for (const DisplayText& entry : mDisplayTexts)
    if (entry.mValue == value) return entry.mText;
  return "";
}

bool IParam::FindDisplayText(const char* text, double* outValue) const {
  if (!text) return false;
  for (const DisplayText& entry : mDisplayTexts) {
    if (std::strcmp(entry.mText, text) == 0) {
      if (outValue) *outValue = entry.mValue;
      return true;
    }
  }
  return false;
}

void IParam::FormatDisplay(double value, bool isNormalized, std::string& out,
                           bool useDisplayTexts) const {
  if (isNormalized) value = ValueFromNormalized(value);

  out.clear();
  if (mDisplayFunc) {
    mDisplayFunc(value, out);
    return;
  }

  if (useDisplayTexts) {
    const char* text = DisplayTextFor(value);
    if (*text) {
      out = text;
      return;
    }
  }

  if (mFlags & FlagNegateDisplay) value = -value;
  if (value == 0.0) value = 0.0; // drops the sign of a negative zero

  if (mDisplayPrecision == 0) {
    out = std::to_string(RoundToInt(value));
  } else {
    const bool sign = (mFlags & FlagSignDisplay) && value != 0.0;
    AppendFixed(out, value, mDisplayPrecision, sign);
  }
  if (out.size() > kMaxDisplayLength) out.resize(kMaxDisplayLength);
}

double IParam::ParseDisplay(const char* text) const {
  double value = 0.0;
  if (FindDisplayText(text, &value)) return value;
  if (mType == kTypeBool || mType == kTypeEnum) return 0.0;

  value = text ? LeadingNumber(text) : 0.0;
  if (std::isnan(value)) value = 0.0;
  if (mFlags & FlagNegateDisplay) value = -value;
  return ClampValue(value);
}

void IParam::WriteJson(std::string& out, int id) const {
  static const char* const kTypeNames[] = {"", "bool", "int", "enum", "float"};

  AppendLimited(out, "{");
  AppendLimited(out, "\"id\":" + std::to_string(id) + ", ");
  std::string name = "\"name\":\"";
  AppendJsonEscaped(name, mName);
  AppendLimited(out, name + "\", ");
  if (mType != kTypeNone)
    AppendLimited(out, std::string("\"type\":\"") + kTypeNames[mType] + "\", ");
  AppendJsonNumber(out, "min", mMin);
  AppendJsonNumber(out, "max", mMax);
  AppendJsonNumber(out, "default", mDefault);
  AppendLimited(out, "\"rate\":\"control\"");
  AppendLimited(out, "}");
}
