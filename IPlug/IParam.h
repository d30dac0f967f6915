#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace iplug
{

// Size of every fixed text field of a parameter: 31 bytes of UTF-8 and the terminator.
inline constexpr int kParamTextBytes = 32;

// Longest text FormatDisplay produces, in bytes.
inline constexpr int kMaxDisplayTextBytes = 32;

// A text a parameter shows for one particular value ("Oversampling On" for 1).
struct DisplayTextEntry
{
  double value = 0.0;
  char text[kParamTextBytes] = {};
};

// One automatable parameter: range, step, default, the atomic current value, the
// curve between the host's 0..1 and the range, and the rules between values and text.
// Passive: setting a value notifies nobody; callers do that.
//
// Threads: the definition (everything but the value) is written only while the
// plug-in is constructed, before any other thread can see the parameter, and is
// read-only afterwards. The value is read and written from any thread.
class IParam
{
public:
  enum ParamKind : std::int32_t
  {
    Unset = 0,
    Boolean = 1,
    Integer = 2,
    Enumerated = 3,
    Real = 4
  };

  // Unit codes reported to hosts.
  enum ParamUnit : std::int32_t
  {
    UnitPercent = 0,
    UnitSeconds = 1,
    UnitMilliseconds = 2,
    UnitDecibels = 4,
    UnitDegrees = 8,
    UnitHertz = 12,
    UnitCustom = 21
  };

  enum ParamFlags : std::uint32_t
  {
    NoFlags = 0,
    NoAutomation = 1,    // left to host adapters
    QuantiseToStep = 2,  // Confine rounds to a multiple of the step
    DisplayNegated = 4,  // the sign is inverted for display and parsing
    DisplayWithSign = 8, // non-zero values with decimals show an explicit sign
  };

  // Writes the display text of a real value; replaces all built-in formatting.
  using DisplayFunc = std::function<void(double value, std::string& out)>;

  // The curve between the normalised 0..1 and the parameter's range. Shapes do
  // not clamp: Confine and the normal-value operations do.
  class Shape
  {
  public:
    virtual ~Shape() = default;
    virtual std::unique_ptr<Shape> Clone() const = 0;
    // Called once the parameter's range is set.
    virtual void Prepare(const IParam& param);
    // A small code describing the curve to hosts.
    virtual int CurveHint() const = 0;
    virtual double ValueFromNormal(double normal, const IParam& param) const = 0;
    virtual double NormalFromValue(double value, const IParam& param) const = 0;
  };

  class ShapeLinear final : public Shape
  {
  public:
    std::unique_ptr<Shape> Clone() const override;
    int CurveHint() const override { return 0; }
    double ValueFromNormal(double normal, const IParam& param) const override;
    double NormalFromValue(double value, const IParam& param) const override;
  };

  // value = min + normal^exponent · (max − min).
  class ShapePowCurve final : public Shape
  {
  public:
    explicit ShapePowCurve(double exponent) : mExponent(exponent) {}
    std::unique_ptr<Shape> Clone() const override;
    int CurveHint() const override;
    double ValueFromNormal(double normal, const IParam& param) const override;
    double NormalFromValue(double value, const IParam& param) const override;
    double Exponent() const { return mExponent; }

  private:
    double mExponent;
  };

  // value = exp(normal · mul + add): equal normalised steps are equal ratios, as
  // for frequencies. A range starting at or below 0 starts the curve at 1e-8.
  class ShapeExp final : public Shape
  {
  public:
    std::unique_ptr<Shape> Clone() const override;
    void Prepare(const IParam& param) override;
    int CurveHint() const override { return 1; }
    double ValueFromNormal(double normal, const IParam& param) const override;
    double NormalFromValue(double value, const IParam& param) const override;

  private:
    double mMul = 1.0;
    double mAdd = 1.0;
  };

  IParam();
  ~IParam();
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;

  // Definition [main-thread, during construction only] -------------------------

  // The core definition; every other Define* ends here. Texts longer than 31
  // bytes are cut at a UTF-8 character boundary.
  void DefineReal(const char* name, double defaultValue, double minimum, double maximum,
                  double step = 0.001, const char* label = "", std::uint32_t flags = 0,
                  const char* group = "", const Shape& shape = ShapeLinear(),
                  ParamUnit unit = UnitCustom, DisplayFunc displayFunction = nullptr);
  void DefineInteger(const char* name, int defaultValue, int minimum, int maximum,
                     const char* label = "", std::uint32_t flags = 0, const char* group = "");
  // With texts, value i shows texts[i] (extra texts are ignored, missing ones
  // leave the number shown).
  void DefineEnumerated(const char* name, int defaultValue, int count, const char* label = "",
                        std::uint32_t flags = 0, const char* group = "",
                        std::initializer_list<const char*> texts = {});
  void DefineEnumeratedFromList(const char* name, int defaultValue,
                                std::initializer_list<const char*> texts, std::uint32_t flags = 0,
                                const char* group = "");
  void DefineEnumeratedFromList(const char* name, int defaultValue,
                                const std::vector<std::string>& texts, std::uint32_t flags = 0,
                                const char* group = "");
  void DefineSwitch(const char* name, bool defaultValue, const char* label = "",
                    std::uint32_t flags = 0, const char* group = "", const char* offText = "off",
                    const char* onText = "on");
  void DefineGain(const char* name, double defaultValue, double minimum, double maximum,
                  double step = 0.1, std::uint32_t flags = 0, const char* group = "");
  void DefinePercent(const char* name, double defaultValue, double minimum, double maximum,
                     std::uint32_t flags = 0, const char* group = "");
  void DefineMilliseconds(const char* name, double defaultValue, double minimum, double maximum,
                          std::uint32_t flags = 0, const char* group = "");
  void DefineSeconds(const char* name, double defaultValue, double minimum, double maximum,
                     double step = 0.1, std::uint32_t flags = 0, const char* group = "");
  void DefineDegrees(const char* name, double defaultValue, double minimum, double maximum,
                     std::uint32_t flags = 0, const char* group = "");
  void DefineFrequency(const char* name, double defaultValue, double minimum, double maximum,
                       double step = 0.1, std::uint32_t flags = 0, const char* group = "");
  // MIDI notes lowestNote..highestNote (clamped to 0..127) shown as "C 4", "C#4"...;
  // middleCIsC4 picks the octave numbering (note 60 is C 4 when set, C 3 when clear).
  void DefineNoteRange(const char* name, int defaultValue, int lowestNote, int highestNote,
                       std::uint32_t flags = 0, const char* group = "", bool middleCIsC4 = true);
  // Copies another parameter's definition; the first occurrence of searchText in
  // its name is replaced by replaceText, and a non-empty newGroup replaces the group.
  void DefineFromParam(const IParam& source, const char* searchText = nullptr,
                       const char* replaceText = nullptr, const char* newGroup = nullptr);

  // Values [any-thread] -----------------------------------------------------

  // Rounds to the step when QuantiseToStep is set (half away from zero), then
  // clamps to the range. NaN gives the minimum, so no caller can store NaN.
  double Confine(double x) const;
  void Set(double x) { mValue.store(Confine(x), std::memory_order_seq_cst); }
  void SetFromNormal(double normal);
  void SetToDefault() { Set(mDefault); }
  double Value() const { return mValue.load(std::memory_order_seq_cst); }
  // The value truncated toward zero.
  int Int() const;
  bool Bool() const { return Int() != 0; }
  double Normalised() const { return NormalOfValue(Value()); }
  // Real value → host's 0..1 (clamped).
  double NormalOfValue(double value) const;
  double ValueOfNormal(double normal) const
  {
    return Confine(mShape->ValueFromNormal(normal, *this));
  }
  // Snaps a dragged 0..1 position to the parameter's steps; the result stays in 0..1.
  double SnapNormal(double normal) const;

  // Display and text [any-thread once defined] ------------------------------

  void FormatDisplay(double x, bool xIsNormal, std::string& out, bool useDisplayTexts = true) const;
  // Text → real value: a display text's own value, else the leading number (confined).
  double ParseText(const char* text) const;
  void AddDisplayText(double value, const char* text);
  // The first entry's text for exactly this value, or "".
  const char* DisplayTextFor(double value) const;
  // Text and value of entry `index`; "" and 0 for an index outside the entries.
  const char* DisplayTextAt(int index, double* valueOut = nullptr) const;
  bool ValueForDisplayText(const char* text, double& valueOut) const;
  int DisplayTextCount() const { return static_cast<int>(mDisplayTexts.size()); }
  // The unit label a host should append: "" when the value shows a display text.
  const char* HostLabel() const;
  // Appends one JSON object describing the parameter.
  void DescribeJson(int index, std::string& out) const;

  // Definition getters ------------------------------------------------------

  ParamKind Kind() const { return mKind; }
  ParamUnit Unit() const { return mUnit; }
  double Min() const { return mMin; }
  double Max() const { return mMax; }
  double Range() const { return mMax - mMin; }
  double Step() const { return mStep; }
  double Default() const { return mDefault; }
  double DefaultNormalised() const { return NormalOfValue(mDefault); }
  int DisplayPrecision() const { return mDisplayPrecision; }
  std::uint32_t Flags() const { return mFlags; }
  bool CanAutomate() const { return (mFlags & NoAutomation) == 0; }
  const char* Name() const { return mName; }
  const char* Label() const { return mLabel; }
  const char* Group() const { return mGroup; }
  const Shape& GetShape() const { return *mShape; }
  bool HasDisplayFunction() const { return static_cast<bool>(mDisplayFunction); }

private:
  ParamKind mKind = Unset;
  ParamUnit mUnit = UnitCustom;
  std::atomic<double> mValue{0.0}; // any thread, seq-cst
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  std::uint32_t mFlags = 0;
  char mName[kParamTextBytes] = {};
  char mLabel[kParamTextBytes] = {};
  char mGroup[kParamTextBytes] = {};
  std::unique_ptr<Shape> mShape;
  DisplayFunc mDisplayFunction;
  std::vector<DisplayTextEntry> mDisplayTexts;
};

} // namespace iplug
