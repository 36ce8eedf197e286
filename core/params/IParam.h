#pragma once

#include "ParamDef.h"

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// One automatable control of the plug-in: its definition, its current value
// (the only part shared between threads) and every conversion between the real
// value, the normalised value 0..1 and display text.
class IParam {
public:
  enum ParamType { kTypeNone = 0, kTypeBool, kTypeInt, kTypeEnum, kTypeDouble };

  enum ParamUnit {
    kUnitPercentage = 0,
    kUnitSeconds = 1,
    kUnitMilliseconds = 2,
    kUnitDB = 4,
    kUnitDegrees = 8,
    kUnitFrequency = 12,
    kUnitCustom = 21
  };

  enum Flags {
    FlagNotAutomatable = 0x1,
    FlagStepped = 0x2,
    FlagNegateDisplay = 0x4,
    FlagSignDisplay = 0x8
  };

  // Texts kept in a parameter (name, label, group, display texts) hold at most
  // this many bytes; longer ones are cut at a character boundary.
  static constexpr int kMaxTextLength = kMaxParamTextLength;

  using DisplayFunc = std::function<void(double, std::string&)>;

  // Mapping between the normalised and the real value.
  struct Shape {
    virtual ~Shape() = default;
    virtual Shape* Clone() const = 0;
    virtual void Prepare(const IParam& param);
    virtual int DisplayCurveHint() const = 0;
    virtual double ToValue(const IParam& param, double normalized) const = 0;
    virtual double ToNormalized(const IParam& param, double value) const = 0;
  };

  struct ShapeLinear : Shape {
    Shape* Clone() const override { return new ShapeLinear(*this); }
    int DisplayCurveHint() const override { return 0; }
    double ToValue(const IParam& param, double normalized) const override;
    double ToNormalized(const IParam& param, double value) const override;
  };

  struct ShapePowCurve : Shape {
    explicit ShapePowCurve(double shape) : mShape(shape) {}
    Shape* Clone() const override { return new ShapePowCurve(*this); }
    int DisplayCurveHint() const override;
    double ToValue(const IParam& param, double normalized) const override;
    double ToNormalized(const IParam& param, double value) const override;

    double mShape;
  };

  struct ShapeExp : Shape {
    Shape* Clone() const override { return new ShapeExp(*this); }
    void Prepare(const IParam& param) override;
    int DisplayCurveHint() const override { return 1; }
    double ToValue(const IParam& param, double normalized) const override;
    double ToNormalized(const IParam& param, double value) const override;

    double mMul = 1.0;
    double mAdd = 1.0;
  };

  struct DisplayText {
    double mValue;
    char mText[kMaxTextLength + 1];
  };

  IParam();
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;
  ~IParam();

  // Definitions
  // A continuous parameter whatever the row's kind: hosts may send any value in its range, and
  // the plug-in reads switches and choices as it wants. The display shows the row's precision.
  void Define(const ParamDef& def);
  void DefineDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                    const char* label = "", int flags = 0, const char* group = "",
                    const Shape& shape = ShapeLinear(), ParamUnit unit = kUnitCustom,
                    DisplayFunc displayFunc = nullptr);
  void DefineBool(const char* name, bool defaultVal, const char* label = "", int flags = 0,
                  const char* group = "", const char* offText = "off", const char* onText = "on");
  // The first text names value 0, each further text the next value, up to nEnums texts.
  template <class... Texts>
  void DefineEnum(const char* name, int defaultVal, int nEnums, const char* label = "",
                  int flags = 0, const char* group = "", const char* firstText = nullptr,
                  Texts... furtherTexts) {
    const char* texts[] = {firstText, furtherTexts...};
    DefineEnumFromTexts(name, defaultVal, nEnums, label, flags, group, texts,
                        static_cast<int>(1 + sizeof...(furtherTexts)));
  }
  void DefineEnum(const char* name, int defaultVal, std::initializer_list<const char*> items,
                  int flags = 0, const char* group = "");
  void DefineInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label = "",
                 int flags = 0, const char* group = "");
  void DefineFrequency(const char* name, double defaultVal, double minVal, double maxVal,
                       double step = 0.1, int flags = 0, const char* group = "");
  void DefineSeconds(const char* name, double defaultVal, double minVal, double maxVal,
                     double step = 0.1, int flags = 0, const char* group = "");
  void DefineMilliseconds(const char* name, double defaultVal, double minVal, double maxVal,
                          int flags = 0, const char* group = "");
  void DefineGain(const char* name, double defaultVal, double minVal, double maxVal,
                  double step = 0.1, int flags = 0, const char* group = "");
  void DefinePercentage(const char* name, double defaultVal, double minVal, double maxVal,
                        int flags = 0, const char* group = "");
  void DefineAngle(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                   const char* group = "");
  void DefinePitch(const char* name, int defaultVal, int lowNote, int highNote, int flags = 0,
                   const char* group = "", bool middleCIsC3 = false);
  void DefineFrom(const IParam& source, const char* searchText = nullptr,
                  const char* replaceText = nullptr, const char* newGroup = nullptr);

  // Values. Non-finite input to a setter leaves the value as it is; every
  // result of the conversions lies within [min, max] (or [0, 1]).
  double Value() const { return mValue.load(); }
  void SetValue(double value);
  double ClampValue(double value) const;
  double ValueFromNormalized(double normalized) const;
  double NormalizedFromValue(double value) const;
  double Normalized() const { return NormalizedFromValue(Value()); }
  void SetNormalized(double normalized);
  void Bounds(double& lo, double& hi) const;

  // Definition queries
  const char* Name() const { return mName; }
  const char* Label() const { return mLabel; }
  const char* Group() const { return mGroup; }
  const char* HostLabel() const;
  ParamType Type() const { return mType; }
  ParamUnit Unit() const { return mUnit; }
  int GetFlags() const { return mFlags; }
  bool GetStepped() const { return (mFlags & FlagStepped) != 0; }
  bool GetCanAutomate() const { return (mFlags & FlagNotAutomatable) == 0; }
  double Step() const { return mStep; }
  double Default() const { return mDefault; }
  double Min() const { return mMin; }
  double Max() const { return mMax; }
  double Range() const { return mMax - mMin; }
  int DisplayPrecision() const { return mDisplayPrecision; }
  const Shape& GetShape() const { return *mShape; }
  const DisplayFunc& GetDisplayFunc() const { return mDisplayFunc; }

  // Display texts
  void AddDisplayText(double value, const char* text);
  int DisplayTextCount() const { return static_cast<int>(mDisplayTexts.size()); }
  // Null for an index outside the table.
  const char* DisplayTextAt(int index, double* outValue = nullptr) const;
  const char* DisplayTextFor(double value) const;
  bool FindDisplayText(const char* text, double* outValue) const;

  // Text conversion
  void FormatDisplay(double value, bool isNormalized, std::string& out,
                     bool useDisplayTexts = true) const;
  double ParseDisplay(const char* text) const;
  void WriteJson(std::string& out, int id) const;

private:
  void DefineEnumFromTexts(const char* name, int defaultVal, int nEnums, const char* label,
                           int flags, const char* group, const char* const* texts, int nTexts);
  double Snap(double value) const;

  ParamType mType = kTypeNone;
  ParamUnit mUnit = kUnitCustom;
  std::atomic<double> mValue{0.0};
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  int mFlags = 0;
  char mName[kMaxTextLength + 1] = {};
  char mLabel[kMaxTextLength + 1] = {};
  char mGroup[kMaxTextLength + 1] = {};
  std::unique_ptr<Shape> mShape;
  DisplayFunc mDisplayFunc;
  std::vector<DisplayText> mDisplayTexts;
};
