#include "IPlug/IParam.h"

#include "IPlug/IPlugUtilities.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace iplug
{

namespace
{
// NaN counts as 0 so a degenerate shape never hands a host NaN.
double ClampNormal(double n)
{
  if (!(n > 0.0)) return 0.0;
  return n > 1.0 ? 1.0 : n;
}

void CopyText(char (&dst)[kParamTextBytes], const char* src)
{
  CopyTruncatedUtf8(dst, kParamTextBytes, src);
}

void AssignCapped(std::string& out, const char* text)
{
  const std::size_t n = Utf8PrefixLength(text, std::strlen(text), kMaxDisplayTextBytes);
  out.assign(text, n);
}

// Our JSON goes to tools that parse it: a name with a quote must not break it.
void AppendJsonString(std::string& out, const char* text)
{
  for (const char* p = text; *p != '\0'; ++p)
  {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\')
    {
      out += '\\';
      out += static_cast<char>(c);
    }
    else if (c < 0x20)
    {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    }
    else
      out += static_cast<char>(c);
  }
}

template <typename... Args>
void AppendFormatted(std::string& out, const char* format, Args... args)
{
  char piece[8192];
  std::snprintf(piece, sizeof piece, format, args...);
  out += piece;
}

const char* const kNoteNames[12] = {"C ", "C#", "D ", "D#", "E ", "F ",
                                    "F#", "G ", "G#", "A ", "A#", "B "};
} // namespace

// Shapes --------------------------------------------------------------------

void IParam::Shape::Prepare(const IParam&) {}

std::unique_ptr<IParam::Shape> IParam::ShapeLinear::Clone() const
{
  return std::make_unique<ShapeLinear>(*this);
}

double IParam::ShapeLinear::ValueFromNormal(double normal, const IParam& param) const
{
  return param.Min() + normal * (param.Max() - param.Min());
}

double IParam::ShapeLinear::NormalFromValue(double value, const IParam& param) const
{
  const double range = param.Max() - param.Min();
  return range == 0.0 ? 0.0 : (value - param.Min()) / range;
}

std::unique_ptr<IParam::Shape> IParam::ShapePowCurve::Clone() const
{
  return std::make_unique<ShapePowCurve>(*this);
}

int IParam::ShapePowCurve::CurveHint() const
{
  if (mExponent > 2.5) return 6;
  if (mExponent > 1.5) return 4;
  if (mExponent < 0.4) return 5;
  if (mExponent < 2.0 / 3.0) return 3;
  return 0;
}

double IParam::ShapePowCurve::ValueFromNormal(double normal, const IParam& param) const
{
  return param.Min() + std::pow(normal, mExponent) * (param.Max() - param.Min());
}

double IParam::ShapePowCurve::NormalFromValue(double value, const IParam& param) const
{
  return std::pow((value - param.Min()) / (param.Max() - param.Min()), 1.0 / mExponent);
}

std::unique_ptr<IParam::Shape> IParam::ShapeExp::Clone() const
{
  return std::make_unique<ShapeExp>(*this);
}

void IParam::ShapeExp::Prepare(const IParam& param)
{
  // ln 0 is -inf: a range from 0 starts the curve just above it.
  const double lo = param.Min() > 0.0 ? param.Min() : 1e-8;
  mAdd = std::log(lo);
  mMul = std::log(param.Max() / lo);
}

double IParam::ShapeExp::ValueFromNormal(double normal, const IParam&) const
{
  return std::exp(normal * mMul + mAdd);
}

double IParam::ShapeExp::NormalFromValue(double value, const IParam&) const
{
  return (std::log(value) - mAdd) / mMul;
}

// Construction and definition --------------------------------------------

IParam::IParam() : mShape(std::make_unique<ShapeLinear>()) {}

IParam::~IParam() = default;

void IParam::DefineReal(const char* name, double defaultValue, double minimum, double maximum,
                        double step, const char* label, std::uint32_t flags, const char* group,
                        const Shape& shape, ParamUnit unit, DisplayFunc displayFunction)
{
  if (mKind == Unset) mKind = Real;
  CopyText(mName, name);
  CopyText(mLabel, label);
  CopyText(mGroup, group);

  // A range is always at least one step wide.
  mMin = minimum;
  mMax = minimum + step > maximum ? minimum + step : maximum;
  mStep = step;
  mDefault = defaultValue;
  mUnit = unit;
  mFlags = flags;
  mDisplayFunction = std::move(displayFunction);
  mValue.store(Confine(defaultValue), std::memory_order_seq_cst);

  int precision = 0;
  double s = step;
  while (precision < 6 && s != std::floor(s))
  {
    ++precision;
    s *= 10.0;
  }
  mDisplayPrecision = precision;

  // Clone before replacing: the caller may hand us our own shape.
  std::unique_ptr<Shape> copy = shape.Clone();
  mShape = std::move(copy);
  mShape->Prepare(*this);
}

void IParam::DefineInteger(const char* name, int defaultValue, int minimum, int maximum,
                           const char* label, std::uint32_t flags, const char* group)
{
  if (mKind == Unset) mKind = Integer;
  DefineReal(name, defaultValue, minimum, maximum, 1.0, label, flags | QuantiseToStep, group,
             ShapeLinear(), UnitCustom, nullptr);
}

void IParam::DefineEnumerated(const char* name, int defaultValue, int count, const char* label,
                              std::uint32_t flags, const char* group,
                              std::initializer_list<const char*> texts)
{
  if (mKind == Unset) mKind = Enumerated;
  DefineInteger(name, defaultValue, 0, count - 1, label, flags | QuantiseToStep, group);
  int value = 0;
  for (const char* text : texts)
  {
    if (value >= count) break;
    AddDisplayText(value++, text);
  }
}

void IParam::DefineEnumeratedFromList(const char* name, int defaultValue,
                                      std::initializer_list<const char*> texts, std::uint32_t flags,
                                      const char* group)
{
  if (mKind == Unset) mKind = Enumerated;
  DefineReal(name, defaultValue, 0.0, static_cast<double>(texts.size()) - 1.0, 1.0, "",
             flags | QuantiseToStep, group, ShapeLinear(), UnitCustom, nullptr);
  int value = 0;
  for (const char* text : texts)
    AddDisplayText(value++, text);
}

void IParam::DefineEnumeratedFromList(const char* name, int defaultValue,
                                      const std::vector<std::string>& texts, std::uint32_t flags,
                                      const char* group)
{
  if (mKind == Unset) mKind = Enumerated;
  DefineReal(name, defaultValue, 0.0, static_cast<double>(texts.size()) - 1.0, 1.0, "",
             flags | QuantiseToStep, group, ShapeLinear(), UnitCustom, nullptr);
  int value = 0;
  for (const std::string& text : texts)
    AddDisplayText(value++, text.c_str());
}

void IParam::DefineSwitch(const char* name, bool defaultValue, const char* label,
                          std::uint32_t flags, const char* group, const char* offText,
                          const char* onText)
{
  if (mKind == Unset) mKind = Boolean;
  DefineEnumerated(name, defaultValue ? 1 : 0, 2, label, flags | QuantiseToStep, group);
  AddDisplayText(0, offText);
  AddDisplayText(1, onText);
}

void IParam::DefineGain(const char* name, double defaultValue, double minimum, double maximum,
                        double step, std::uint32_t flags, const char* group)
{
  DefineReal(name, defaultValue, minimum, maximum, step, "dB", flags, group, ShapeLinear(),
             UnitDecibels);
}

void IParam::DefinePercent(const char* name, double defaultValue, double minimum, double maximum,
                           std::uint32_t flags, const char* group)
{
  DefineReal(name, defaultValue, minimum, maximum, 1.0, "%", flags, group, ShapeLinear(),
             UnitPercent);
}

void IParam::DefineMilliseconds(const char* name, double defaultValue, double minimum,
                                double maximum, std::uint32_t flags, const char* group)
{
  DefineReal(name, defaultValue, minimum, maximum, 1.0, "ms", flags, group, ShapeLinear(),
             UnitMilliseconds);
}

void IParam::DefineSeconds(const char* name, double defaultValue, double minimum, double maximum,
                           double step, std::uint32_t flags, const char* group)
{
  DefineReal(name, defaultValue, minimum, maximum, step, "Seconds", flags, group, ShapeLinear(),
             UnitSeconds);
}

void IParam::DefineDegrees(const char* name, double defaultValue, double minimum, double maximum,
                           std::uint32_t flags, const char* group)
{
  DefineReal(name, defaultValue, minimum, maximum, 1.0, "degrees", flags, group, ShapeLinear(),
             UnitDegrees);
}

void IParam::DefineFrequency(const char* name, double defaultValue, double minimum, double maximum,
                             double step, std::uint32_t flags, const char* group)
{
  DefineReal(name, defaultValue, minimum, maximum, step, "Hz", flags, group, ShapeExp(), UnitHertz);
}

void IParam::DefineNoteRange(const char* name, int defaultValue, int lowestNote, int highestNote,
                             std::uint32_t flags, const char* group, bool middleCIsC4)
{
  // Note names index by n mod 12: a negative note would read outside them, and
  // an unbounded range would make millions of texts.
  lowestNote = std::clamp(lowestNote, 0, 127);
  highestNote = std::clamp(highestNote, lowestNote, 127);
  DefineEnumerated(name, defaultValue, highestNote - lowestNote + 1, "", flags, group);
  for (int note = lowestNote; note <= highestNote; ++note)
  {
    const int octave = note / 12 - (middleCIsC4 ? 1 : 2);
    char text[kParamTextBytes];
    std::snprintf(text, sizeof text, "%s%i", kNoteNames[note % 12], octave);
    AddDisplayText(note - lowestNote, text);
  }
}

void IParam::DefineFromParam(const IParam& source, const char* searchText, const char* replaceText,
                             const char* newGroup)
{
  if (mKind == Unset) mKind = source.mKind;

  std::string name = source.mName;
  if (searchText != nullptr && searchText[0] != '\0')
  {
    const std::size_t at = name.find(searchText);
    if (at != std::string::npos)
      name.replace(at, std::strlen(searchText), replaceText != nullptr ? replaceText : "");
  }
  std::string group = source.mGroup;
  if (newGroup != nullptr && newGroup[0] != '\0') group = newGroup;

  // Copies first: the source may be this parameter.
  const std::string label = source.mLabel;
  const std::vector<DisplayTextEntry> texts = source.mDisplayTexts;
  const std::unique_ptr<Shape> shape = source.mShape->Clone();
  DisplayFunc displayFunction = source.mDisplayFunction;

  DefineReal(name.c_str(), source.mDefault, source.mMin, source.mMax, source.mStep, label.c_str(),
             source.mFlags, group.c_str(), *shape, source.mUnit, std::move(displayFunction));
  for (const DisplayTextEntry& entry : texts)
    AddDisplayText(entry.value, entry.text);
}

// Values ------------------------------------------------------------------

double IParam::Confine(double x) const
{
  if (std::isnan(x)) return mMin;
  // A zero or non-finite step cannot quantise: dividing by it would give NaN.
  if ((mFlags & QuantiseToStep) != 0 && mStep > 0.0 && std::isfinite(mStep))
    x = std::round(x / mStep) * mStep;
  if (x < mMin) return mMin;
  if (x > mMax) return mMax;
  return x;
}

void IParam::SetFromNormal(double normal)
{
  Set(mShape->ValueFromNormal(normal, *this));
}

int IParam::Int() const
{
  const double v = Value();
  // The range may be wider than int; an out-of-range cast would be undefined.
  if (!(v > static_cast<double>(std::numeric_limits<int>::min())))
    return std::numeric_limits<int>::min();
  if (!(v < static_cast<double>(std::numeric_limits<int>::max())))
    return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

double IParam::NormalOfValue(double value) const
{
  return ClampNormal(mShape->NormalFromValue(Confine(value), *this));
}

double IParam::SnapNormal(double normal) const
{
  return ClampNormal(mShape->NormalFromValue(ValueOfNormal(normal), *this));
}

// Display and text -----------------------------------------------------------

void IParam::FormatDisplay(double x, bool xIsNormal, std::string& out, bool useDisplayTexts) const
{
  if (xIsNormal) x = ValueOfNormal(x);

  if (mDisplayFunction)
  {
    std::string text;
    mDisplayFunction(x, text);
    AssignCapped(out, text.c_str());
    return;
  }

  if (useDisplayTexts)
  {
    const char* text = DisplayTextFor(x);
    if (text[0] != '\0')
    {
      AssignCapped(out, text);
      return;
    }
  }

  if ((mFlags & DisplayNegated) != 0) x = -x;
  if (x == 0.0) x = 0.0; // -0 would print as "-0"

  char text[512];
  if (mDisplayPrecision == 0)
  {
    // Rounded in floating point: a value beyond int's range must not be cast.
    double rounded = std::round(x);
    if (rounded == 0.0) rounded = 0.0;
    std::snprintf(text, sizeof text, "%.0f", rounded);
  }
  else if ((mFlags & DisplayWithSign) != 0 && x != 0.0)
  {
    char format[16];
    std::snprintf(format, sizeof format, "%%+.%df", mDisplayPrecision);
    std::snprintf(text, sizeof text, format, x);
  }
  else
    std::snprintf(text, sizeof text, "%.*f", mDisplayPrecision, x);
  AssignCapped(out, text);
}

double IParam::ParseText(const char* text) const
{
  if (text == nullptr) text = "";
  double value = 0.0;
  if (ValueForDisplayText(text, value)) return value;
  if (mKind == Boolean || mKind == Enumerated) return 0.0;
  value = std::atof(text);
  if ((mFlags & DisplayNegated) != 0) value = -value;
  return Confine(value);
}

void IParam::AddDisplayText(double value, const char* text)
{
  DisplayTextEntry entry;
  entry.value = value;
  CopyTruncatedUtf8(entry.text, sizeof entry.text, text);
  mDisplayTexts.push_back(entry);
}

const char* IParam::DisplayTextFor(double value) const
{
  for (const DisplayTextEntry& entry : mDisplayTexts)
  {
    if (entry.value == value) return entry.text;
  }
  return "";
}

const char* IParam::DisplayTextAt(int index, double* valueOut) const
{
  if (index < 0 || index >= DisplayTextCount())
  {
    if (valueOut != nullptr) *valueOut = 0.0;
    return "";
  }
  const DisplayTextEntry& entry = mDisplayTexts[static_cast<std::size_t>(index)];
  if (valueOut != nullptr) *valueOut = entry.value;
  return entry.text;
}

bool IParam::ValueForDisplayText(const char* text, double& valueOut) const
{
  if (text == nullptr) return false;
  for (const DisplayTextEntry& entry : mDisplayTexts)
  {
    if (std::strcmp(entry.text, text) == 0)
    {
      valueOut = entry.value;
      return true;
    }
  }
  return false;
}

const char* IParam::HostLabel() const
{
  const double truncated = Int();
  for (const DisplayTextEntry& entry : mDisplayTexts)
  {
    if (entry.value == truncated) return entry.text[0] != '\0' ? "" : mLabel;
  }
  return mLabel;
}

void IParam::DescribeJson(int index, std::string& out) const
{
  out += "{";
  AppendFormatted(out, "\"id\":%i, ", index);
  out += "\"name\":\"";
  AppendJsonString(out, mName);
  out += "\", ";
  static const char* const kTypeNames[] = {nullptr, "bool", "int", "enum", "float"};
  if (mKind >= Boolean && mKind <= Real)
    AppendFormatted(out, "\"type\":\"%s\", ", kTypeNames[mKind]);
  AppendFormatted(out, "\"min\":%f, ", mMin);
  AppendFormatted(out, "\"max\":%f, ", mMax);
  AppendFormatted(out, "\"default\":%f, ", mDefault);
  out += "\"rate\":\"control\"";
  out += "}";
}

} // namespace iplug
