#include "IPlug/IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using iplug::IParam;

namespace
{
std::string Shown(const IParam& p, double x, bool normal = false, bool texts = true)
{
  std::string out;
  p.FormatDisplay(x, normal, out, texts);
  return out;
}
} // namespace

TEST(IParamDefinition, FreshParameterHoldsTheNeutralDefinition)
{
  IParam p;
  EXPECT_EQ(p.Kind(), IParam::Unset);
  EXPECT_EQ(p.Unit(), IParam::UnitCustom);
  EXPECT_EQ(p.Value(), 0.0);
  EXPECT_EQ(p.Min(), 0.0);
  EXPECT_EQ(p.Max(), 1.0);
  EXPECT_EQ(p.Step(), 1.0);
  EXPECT_EQ(p.DisplayPrecision(), 0);
  EXPECT_EQ(p.Flags(), 0u);
  EXPECT_STREQ(p.Name(), "");
  EXPECT_STREQ(p.Label(), "");
  EXPECT_STREQ(p.Group(), "");
  EXPECT_EQ(p.GetShape().CurveHint(), 0);
  EXPECT_EQ(p.DisplayTextCount(), 0);
}

TEST(IParamDefinition, RangeNarrowerThanOneStepIsWidenedToOneStep)
{
  IParam p;
  p.DefineReal("Narrow", 0.0, 0.0, 0.5, 1.0);
  EXPECT_EQ(p.Min(), 0.0);
  EXPECT_EQ(p.Max(), 1.0);
  IParam q;
  q.DefineReal("Wide", 0.0, -2.0, 3.0, 1.0);
  EXPECT_EQ(q.Max(), 3.0);
}

TEST(IParamDefinition, DisplayPrecisionFollowsTheDecimalsOfTheStep)
{
  const struct
  {
    double step;
    int precision;
  } cases[] = {{1.0, 0}, {0.1, 1}, {0.25, 2}, {0.001, 3}, {1e-9, 6}, {5.0, 0}};
  for (const auto& c : cases)
  {
    IParam p;
    p.DefineReal("P", 0.0, 0.0, 100.0, c.step);
    EXPECT_EQ(p.DisplayPrecision(), c.precision) << "step " << c.step;
  }
}

TEST(IParamDefinition, DefaultIsConfinedIntoTheValue)
{
  IParam p;
  p.DefineInteger("I", 40, -10, 10);
  EXPECT_EQ(p.Value(), 10.0);
  EXPECT_EQ(p.Default(), 40.0); // the definition keeps what was asked for
}

TEST(IParamDefinition, WrapperKindWinsOverTheKindOfTheOperationItCalls)
{
  IParam i, e, s, r, l;
  i.DefineInteger("I", 0, 0, 3);
  e.DefineEnumerated("E", 0, 3);
  s.DefineSwitch("S", true);
  r.DefineGain("G", 0.0, -12.0, 12.0);
  l.DefineEnumeratedFromList("L", 1, {"a", "b", "c"});
  EXPECT_EQ(i.Kind(), IParam::Integer);
  EXPECT_EQ(e.Kind(), IParam::Enumerated);
  EXPECT_EQ(s.Kind(), IParam::Boolean);
  EXPECT_EQ(r.Kind(), IParam::Real);
  EXPECT_EQ(l.Kind(), IParam::Enumerated);
  for (const IParam* q : {&i, &e, &s, &l})
    EXPECT_NE(q->Flags() & IParam::QuantiseToStep, 0u) << q->Name();
  EXPECT_EQ(r.Flags() & IParam::QuantiseToStep, 0u);
  EXPECT_EQ(s.Value(), 1.0);
  EXPECT_EQ(s.Max(), 1.0);
  EXPECT_STREQ(s.DisplayTextFor(0), "off");
  EXPECT_STREQ(s.DisplayTextFor(1), "on");
  EXPECT_EQ(l.Max(), 2.0);
  EXPECT_STREQ(l.DisplayTextFor(2), "c");
}

TEST(IParamDefinition, ConvenienceDefinitionsSetLabelUnitAndShape)
{
  IParam g, pc, ms, sec, deg, hz;
  g.DefineGain("G", 0, -12, 12);
  pc.DefinePercent("P", 50, 0, 100);
  ms.DefineMilliseconds("M", 10, 0, 100);
  sec.DefineSeconds("S", 1, 0, 10);
  deg.DefineDegrees("D", 0, -180, 180);
  hz.DefineFrequency("F", 1000, 20, 20000);
  EXPECT_STREQ(g.Label(), "dB");
  EXPECT_EQ(g.Unit(), IParam::UnitDecibels);
  EXPECT_STREQ(pc.Label(), "%");
  EXPECT_EQ(pc.Unit(), IParam::UnitPercent);
  EXPECT_STREQ(ms.Label(), "ms");
  EXPECT_EQ(ms.Unit(), IParam::UnitMilliseconds);
  EXPECT_STREQ(sec.Label(), "Seconds");
  EXPECT_EQ(sec.Unit(), IParam::UnitSeconds);
  EXPECT_STREQ(deg.Label(), "degrees");
  EXPECT_EQ(deg.Unit(), IParam::UnitDegrees);
  EXPECT_STREQ(hz.Label(), "Hz");
  EXPECT_EQ(hz.Unit(), IParam::UnitHertz);
  EXPECT_EQ(hz.GetShape().CurveHint(), 1);
  // Exponential: the middle of the knob is the geometric mean of the range.
  EXPECT_NEAR(hz.ValueOfNormal(0.5), std::sqrt(20.0 * 20000.0), 0.05);
}

TEST(IParamDefinition, EnumeratedTextsBeyondTheCountAreIgnored)
{
  IParam p;
  p.DefineEnumerated("E", 0, 2, "", 0, "", {"zero", "one", "two"});
  EXPECT_EQ(p.DisplayTextCount(), 2);
  IParam q;
  q.DefineEnumerated("E", 0, 3, "", 0, "", {"zero"});
  EXPECT_EQ(q.DisplayTextCount(), 1);
  EXPECT_EQ(Shown(q, 2), "2");
}

TEST(IParamDefinition, NoteRangeNamesNotesWithEitherOctaveNumbering)
{
  IParam p;
  p.DefineNoteRange("Note", 0, 58, 62, 0, "", true);
  ASSERT_EQ(p.DisplayTextCount(), 5);
  EXPECT_EQ(p.Max(), 4.0);
  const char* expected[] = {"A#3", "B 3", "C 4", "C#4", "D 4"};
  for (int i = 0; i < 5; ++i)
  {
    double v = -1;
    EXPECT_STREQ(p.DisplayTextAt(i, &v), expected[i]);
    EXPECT_EQ(v, i);
  }
  IParam q;
  q.DefineNoteRange("Note", 0, 60, 60, 0, "", false);
  EXPECT_STREQ(q.DisplayTextFor(0), "C 3");
  IParam low;
  low.DefineNoteRange("Note", 0, 0, 0, 0, "", true);
  EXPECT_STREQ(low.DisplayTextFor(0), "C -1");
}

TEST(IParamDefinition, NoteRangeOutsideMidiNotesIsClampedInsteadOfIndexingOutOfBounds)
{
  IParam p;
  p.DefineNoteRange("Note", 0, -5, 1000);
  EXPECT_EQ(p.DisplayTextCount(), 128);
  EXPECT_STREQ(p.DisplayTextAt(0), "C -1");
  EXPECT_STREQ(p.DisplayTextAt(127), "G 9");
}

TEST(IParamDefinition, FromParamReplacesTheFirstOccurrenceAndCopiesEverything)
{
  IParam src;
  src.DefineReal("Left Gain Left", 1.0, -6.0, 6.0, 0.5, "dB", IParam::DisplayWithSign, "Main",
                 IParam::ShapePowCurve(3.0), IParam::UnitDecibels);
  src.AddDisplayText(0.0, "unity");
  IParam dst;
  dst.DefineFromParam(src, "Left", "Right", "Side");
  EXPECT_STREQ(dst.Name(), "Right Gain Left");
  EXPECT_STREQ(dst.Group(), "Side");
  EXPECT_STREQ(dst.Label(), "dB");
  EXPECT_EQ(dst.Kind(), IParam::Real);
  EXPECT_EQ(dst.Min(), -6.0);
  EXPECT_EQ(dst.Max(), 6.0);
  EXPECT_EQ(dst.Step(), 0.5);
  EXPECT_EQ(dst.Value(), 1.0);
  EXPECT_EQ(dst.Unit(), IParam::UnitDecibels);
  EXPECT_EQ(dst.GetShape().CurveHint(), 6);
  EXPECT_EQ(dst.Flags(), static_cast<std::uint32_t>(IParam::DisplayWithSign));
  EXPECT_STREQ(dst.DisplayTextFor(0.0), "unity");

  IParam keep;
  keep.DefineFromParam(src, "", nullptr, "");
  EXPECT_STREQ(keep.Name(), "Left Gain Left");
  EXPECT_STREQ(keep.Group(), "Main");
}

TEST(IParamDefinition, LongTextsAreCutAtACharacterBoundary)
{
  IParam p;
  std::string name;
  while (name.size() < 40)
    name += "\xE2\x82\xAC"; // three bytes each: 10 fit in 31 bytes
  p.DefineReal(name.c_str(), 0, 0, 1, 0.1, name.c_str(), 0, name.c_str());
  p.AddDisplayText(0.5, name.c_str());
  for (const char* text : {p.Name(), p.Label(), p.Group(), p.DisplayTextFor(0.5)})
  {
    EXPECT_EQ(std::strlen(text), 30u);
    EXPECT_EQ(name.compare(0, 30, text), 0);
  }
}

TEST(IParamValue, ConfineRoundsHalfAwayFromZeroThenClamps)
{
  IParam p;
  p.DefineReal("Q", 0, -10, 10, 1.0, "", IParam::QuantiseToStep);
  EXPECT_EQ(p.Confine(2.5), 3.0);
  EXPECT_EQ(p.Confine(-2.5), -3.0);
  EXPECT_EQ(p.Confine(2.49), 2.0);
  EXPECT_EQ(p.Confine(12.0), 10.0);
  EXPECT_EQ(p.Confine(-1e300), -10.0);
  IParam r;
  r.DefineReal("R", 0, -10, 10, 1.0);
  EXPECT_EQ(r.Confine(2.5), 2.5); // no quantising without the flag
}

TEST(IParamValue, NanAndInfinityNeverReachTheValue)
{
  IParam p;
  p.DefineGain("G", 0, -15, 15);
  p.Set(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(p.Value(), -15.0);
  p.Set(std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.Value(), 15.0);
  p.SetFromNormal(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(p.Value(), -15.0);
  EXPECT_EQ(p.NormalOfValue(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(IParamValue, ZeroStepWithQuantiseDoesNotDivideByZero)
{
  IParam p;
  p.DefineReal("Z", 0.3, 0, 1, 0.0, "", IParam::QuantiseToStep);
  EXPECT_EQ(p.Value(), 0.3);
  EXPECT_EQ(p.Confine(0.7), 0.7);
}

TEST(IParamValue, NormalisedRoundTripsFollowTheShape)
{
  IParam lin;
  lin.DefineReal("L", 0, -15, 15, 0.1);
  lin.SetFromNormal(0.25);
  EXPECT_DOUBLE_EQ(lin.Value(), -7.5);
  EXPECT_DOUBLE_EQ(lin.NormalOfValue(7.5), 0.75);
  EXPECT_EQ(lin.NormalOfValue(100.0), 1.0);

  IParam pow;
  pow.DefineReal("P", 0, 0, 100, 0.01, "", 0, "", IParam::ShapePowCurve(2.0));
  pow.SetFromNormal(0.5);
  EXPECT_DOUBLE_EQ(pow.Value(), 25.0);
  EXPECT_DOUBLE_EQ(pow.NormalOfValue(64.0), 0.8);

  IParam exp;
  exp.DefineReal("F", 100, 10, 1000, 0.1, "", 0, "", IParam::ShapeExp());
  EXPECT_NEAR(exp.ValueOfNormal(0.5), 100.0, 1e-9);
  EXPECT_NEAR(exp.NormalOfValue(100.0), 0.5, 1e-12);
}

TEST(IParamValue, ExpShapeOnARangeFromZeroStartsAtATinyPositiveValue)
{
  IParam p;
  p.DefineReal("F", 1, 0, 1000, 0.0, "", 0, "", IParam::ShapeExp());
  EXPECT_NEAR(p.GetShape().ValueFromNormal(0.0, p), 1e-8, 1e-20);
  EXPECT_GT(p.ValueOfNormal(0.0), 0.0);
  EXPECT_NEAR(p.GetShape().ValueFromNormal(1.0, p), 1000.0, 1e-9);
}

TEST(IParamValue, SnapNormalStaysInsideZeroToOne)
{
  IParam p;
  p.DefineInteger("I", 0, 0, 10);
  EXPECT_DOUBLE_EQ(p.SnapNormal(0.26), 0.3);
  EXPECT_EQ(p.SnapNormal(-3.0), 0.0);
  EXPECT_EQ(p.SnapNormal(5.0), 1.0);
  // The pow curve maps 0..1 onto min..max; a normal beyond 1 is confined first.
  IParam c;
  c.DefineReal("C", 0, 0, 1, 0.001, "", 0, "", IParam::ShapePowCurve(0.5));
  EXPECT_EQ(c.SnapNormal(4.0), 1.0);
}

TEST(IParamValue, IntegerReadingTruncatesTowardZero)
{
  IParam p;
  p.DefineReal("R", 0, -5, 5, 0.01);
  p.Set(2.99);
  EXPECT_EQ(p.Int(), 2);
  p.Set(-2.99);
  EXPECT_EQ(p.Int(), -2);
  IParam huge;
  huge.DefineReal("H", 1e12, 0, 1e12, 1.0);
  EXPECT_EQ(huge.Int(), std::numeric_limits<int>::max());
}

TEST(IParamValue, PowCurveHintsCoverEachBand)
{
  const struct
  {
    double exponent;
    int hint;
  } cases[] = {{3.0, 6}, {2.0, 4}, {0.3, 5}, {0.5, 3}, {1.0, 0}, {0.7, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(IParam::ShapePowCurve(c.exponent).CurveHint(), c.hint) << c.exponent;
}

TEST(IParamValue, DegenerateShapesNeverLeakNaN)
{
  // An exponential curve over a negative range has no logarithm: whatever the
  // shape computes, the value stays in range and the normal stays in 0..1.
  IParam neg;
  neg.DefineReal("N", -5, -10, -1, 0.1, "", 0, "", IParam::ShapeExp());
  neg.SetFromNormal(0.5);
  EXPECT_EQ(neg.Value(), -10.0);
  EXPECT_EQ(neg.NormalOfValue(-5.0), 0.0);
  EXPECT_EQ(neg.SnapNormal(0.5), 0.0);
  IParam flat;
  flat.DefineReal("F", 0, 0, 0, 0.0, "", 0, "", IParam::ShapePowCurve(0.0));
  EXPECT_EQ(flat.NormalOfValue(0.0), 0.0);
  flat.SetFromNormal(0.3);
  EXPECT_EQ(flat.Value(), 0.0);
}

TEST(IParamDisplay, NegativeZeroIsShownWithoutSign)
{
  IParam p;
  p.DefineReal("R", 0, -1, 1, 0.1);
  EXPECT_EQ(Shown(p, -0.0), "0.0");
  IParam i;
  i.DefineReal("I", 0, -10, 10, 1.0);
  EXPECT_EQ(Shown(i, -0.0), "0");
  EXPECT_EQ(Shown(i, -0.4), "0");
  EXPECT_EQ(Shown(i, 2.5), "3");
  EXPECT_EQ(Shown(i, -2.5), "-3");
}

TEST(IParamDisplay, SignedDisplayShowsPlusOnNonZeroValuesOnly)
{
  IParam p;
  p.DefineReal("Out", 0, -15, 15, 0.1, "dB", IParam::DisplayWithSign);
  EXPECT_EQ(Shown(p, 1.5), "+1.5");
  EXPECT_EQ(Shown(p, -1.5), "-1.5");
  EXPECT_EQ(Shown(p, 0.0), "0.0");
  IParam two;
  two.DefineReal("T", 0, -15, 15, 0.01, "", IParam::DisplayWithSign);
  EXPECT_EQ(Shown(two, 1.5), "+1.50");
}

TEST(IParamDisplay, NegatedDisplayInvertsBothWays)
{
  IParam p;
  p.DefineReal("Neg", 0, -10, 10, 0.5, "", IParam::DisplayNegated);
  EXPECT_EQ(Shown(p, 3.0), "-3.0");
  EXPECT_EQ(Shown(p, 0.0), "0.0");
  EXPECT_EQ(p.ParseText("4"), -4.0);
}

TEST(IParamDisplay, NormalisedInputIsMappedAndConfinedFirst)
{
  IParam p;
  p.DefineReal("Mix", 100, 0, 100, 1, "%");
  EXPECT_EQ(Shown(p, 0.5, true), "50");
  EXPECT_EQ(Shown(p, 2.0, true), "100");
}

TEST(IParamDisplay, DisplayTextsAreUsedOnlyWhenAllowedAndNotEmpty)
{
  IParam p;
  p.DefineInteger("Oversampling", 0, 0, 2);
  p.AddDisplayText(0, "Oversampling Off");
  p.AddDisplayText(1, "");
  p.AddDisplayText(1, "ignored: not the first");
  EXPECT_EQ(Shown(p, 0), "Oversampling Off");
  EXPECT_EQ(Shown(p, 0, false, false), "0");
  EXPECT_EQ(Shown(p, 1), "1");
  EXPECT_EQ(Shown(p, 2), "2");
}

TEST(IParamDisplay, DisplayFunctionReplacesAllFormattingAndIsCapped)
{
  IParam p;
  p.DefineReal("F", 0, 0, 10, 1, "", 0, "", IParam::ShapeLinear(), IParam::UnitCustom,
               [](double v, std::string& out)
               { out = "v=" + std::to_string(static_cast<int>(v)) + std::string(50, '!'); });
  const std::string shown = Shown(p, 7);
  EXPECT_EQ(shown.size(), 32u);
  EXPECT_EQ(shown.substr(0, 4), "v=7!");
}

TEST(IParamDisplay, HugeValuesAreShownWithoutOverflowAndCappedAt32Bytes)
{
  IParam p;
  p.DefineReal("H", 0, -1e300, 1e300, 1.0);
  const std::string shown = Shown(p, 1e300);
  EXPECT_EQ(shown.size(), 32u);
  EXPECT_EQ(shown.substr(0, 2), "10");
}

TEST(IParamText, ParsingPrefersDisplayTextsThenTheLeadingNumber)
{
  IParam e;
  e.DefineInteger("Oversampling", 0, 0, 1);
  e.AddDisplayText(0, "Oversampling Off");
  e.AddDisplayText(1, "Oversampling On");
  EXPECT_EQ(e.ParseText("Oversampling On"), 1.0);
  EXPECT_EQ(e.ParseText("1"), 1.0); // an integer kind still reads numbers

  IParam en;
  en.DefineEnumerated("Mode", 2, 3, "", 0, "", {"A", "B", "C"});
  EXPECT_EQ(en.ParseText("C"), 2.0);
  EXPECT_EQ(en.ParseText("oversampling on"), 0.0); // case matters
  EXPECT_EQ(en.ParseText("2"), 0.0);               // enumerations read no numbers

  IParam r;
  r.DefineReal("R", 0, 5, 10, 0.5);
  EXPECT_EQ(r.ParseText("abc"), 5.0); // Confine(0)
  EXPECT_EQ(r.ParseText("  7.25dB"), 7.25);
  EXPECT_EQ(r.ParseText("1e9"), 10.0);
  EXPECT_EQ(r.ParseText(nullptr), 5.0);
  EXPECT_EQ(r.ParseText("nan"), 5.0);
}

TEST(IParamText, EveryStepSurvivesFormattingAndParsing)
{
  // What a host shows must read back as the same value, with or without negation.
  for (std::uint32_t flags : {0u, static_cast<std::uint32_t>(IParam::DisplayNegated),
                              static_cast<std::uint32_t>(IParam::DisplayWithSign)})
  {
    IParam p;
    p.DefineReal("Output", 0, -15, 15, 0.1, "dB", flags);
    for (int k = -150; k <= 150; ++k)
    {
      const double v = k / 10.0;
      const std::string text = Shown(p, v);
      EXPECT_NEAR(p.ParseText(text.c_str()), v, 1e-12) << text << " flags " << flags;
    }
  }
  IParam i;
  i.DefineInteger("Steps", 0, -1000, 1000);
  for (int k = -1000; k <= 1000; k += 7)
    EXPECT_EQ(i.ParseText(Shown(i, k).c_str()), k);
}

TEST(IParamText, DisplayTextLookupsKeepInsertionOrder)
{
  IParam p;
  p.DefineReal("R", 0, 0, 10, 1);
  p.AddDisplayText(3, "three");
  p.AddDisplayText(3, "again");
  p.AddDisplayText(5, "five");
  EXPECT_EQ(p.DisplayTextCount(), 3);
  EXPECT_STREQ(p.DisplayTextFor(3), "three");
  EXPECT_STREQ(p.DisplayTextFor(4), "");
  double v = 0;
  EXPECT_TRUE(p.ValueForDisplayText("five", v));
  EXPECT_EQ(v, 5.0);
  EXPECT_FALSE(p.ValueForDisplayText("Five", v));
  EXPECT_FALSE(p.ValueForDisplayText(nullptr, v));
  EXPECT_STREQ(p.DisplayTextAt(1, &v), "again");
  EXPECT_EQ(v, 3.0);
  EXPECT_STREQ(p.DisplayTextAt(3, &v), "");
  EXPECT_STREQ(p.DisplayTextAt(-1, &v), "");
}

TEST(IParamText, HostLabelIsEmptyWhileTheValueShowsADisplayText)
{
  IParam gain;
  gain.DefineGain("Out", 0, -15, 15);
  EXPECT_STREQ(gain.HostLabel(), "dB");

  IParam two;
  two.DefineInteger("Oversampling", 0, 0, 1, "x");
  two.AddDisplayText(0, "Oversampling Off");
  two.AddDisplayText(1, "Oversampling On");
  EXPECT_STREQ(two.HostLabel(), "");
  two.Set(1);
  EXPECT_STREQ(two.HostLabel(), "");

  IParam partial;
  partial.DefineReal("P", 0.7, 0, 2, 0.1, "ms");
  partial.AddDisplayText(1, "one");
  EXPECT_STREQ(partial.HostLabel(), "ms"); // 0.7 truncates to 0: no text for 0
  partial.Set(1.9);
  EXPECT_STREQ(partial.HostLabel(), ""); // 1.9 truncates to 1
}

TEST(IParamText, JsonDescriptionListsIdNameTypeAndRange)
{
  IParam p;
  p.DefineReal("Out", 0, -15, 15, 0.1);
  std::string out = "[";
  p.DescribeJson(3, out);
  EXPECT_EQ(out, "[{\"id\":3, \"name\":\"Out\", \"type\":\"float\", \"min\":-15.000000, "
                 "\"max\":15.000000, \"default\":0.000000, \"rate\":\"control\"}");
  IParam unset;
  std::string u;
  unset.DescribeJson(0, u);
  EXPECT_EQ(u.find("type"), std::string::npos);
  IParam quoted;
  quoted.DefineSwitch("Say \"hi\"", false);
  std::string q;
  quoted.DescribeJson(1, q);
  EXPECT_NE(q.find("\"name\":\"Say \\\"hi\\\"\""), std::string::npos) << q;
  EXPECT_NE(q.find("\"type\":\"bool\""), std::string::npos);
}
