// Host parameter objects seen through the host's calls: construction,
// steps, tapers, displays and value objects.

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CBinaryTaperDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CLinearTaperDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CStringDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"
#include "tests/aax_params/ParamsHost.h"

#include <cmath>
#include <limits>

using namespace paramstest;

namespace
{
// The step a normalised value falls on with k steps, from the definition:
// the nearest of 0, 1/(k-1), ..., 1, clamped to the ends.
std::uint32_t ExpectedStep(double n, std::uint32_t k)
{
  if (k < 2) return 0;
  const double scaled = std::floor(n * (k - 1) + 0.5);
  if (!(scaled > 0.0)) return 0;
  return static_cast<std::uint32_t>(std::min(scaled, static_cast<double>(k - 1)));
}

AAX_IParameter* Object(AAX_IEffectParameters& effect, const char* id)
{
  AAX_IParameter* p = nullptr;
  EXPECT_EQ(effect.ParamObject(id, &p), AAX_SUCCESS) << id;
  return p;
}
} // namespace

TEST_F(ParamsHostTest, LongIdentifierIsCutTo31CharactersAndReported)
{
  const std::string given = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
  ASSERT_EQ(given.size(), 40u);
  HostString id;
  ASSERT_EQ(Effect().ParamIdAt(6, &id), AAX_SUCCESS);
  EXPECT_EQ(id.Text(), given.substr(0, 31));
  std::int32_t index = -1;
  EXPECT_EQ(Effect().ParamIndexOf(given.c_str(), &index), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(index, -1);

  // 31 characters stay whole; 32 lose the last one.
  ASSERT_EQ(Effect().ParamIdAt(8, &id), AAX_SUCCESS);
  EXPECT_EQ(id.Text(), "abcdefghijklmnopqrstuvwxyzABCDE");
  ASSERT_EQ(Effect().ParamIdAt(9, &id), AAX_SUCCESS);
  EXPECT_EQ(id.Text(), "0123456789012345678901234567890");

  // One report each for the 40- and the 32-character identifier.
  int reports = 0;
  for (const auto& a : module->Host().Services().Assertions())
    if (a.expression == "len < eParemeterDefaultMaxIdentifierSize")
    {
      ++reports;
      EXPECT_EQ(a.path, "Dependencies/IPlug/AAX_SDK/Interfaces/AAX_CParameter");
      EXPECT_EQ(a.flags, 1);
    }
  EXPECT_EQ(reports, 2);
}

TEST_F(ParamsHostTest, NewParametersHave128ContinuousStepsAndZeroStepsIsRefused)
{
  std::int32_t steps = 0, type = -1, orientation = -1;
  ASSERT_EQ(Effect().ParamStepCount("1", &steps), AAX_SUCCESS);
  EXPECT_EQ(steps, 128);
  ASSERT_EQ(Effect().ParamTypeCode("1", &type), AAX_SUCCESS);
  EXPECT_EQ(type, 1);
  ASSERT_EQ(Effect().ParamOrientationCode("1", &orientation), AAX_SUCCESS);
  EXPECT_EQ(orientation, 0);
  // "4" asked for 0 steps at registration.
  ASSERT_EQ(Effect().ParamStepCount("4", &steps), AAX_SUCCESS);
  EXPECT_EQ(steps, 128);
  EXPECT_TRUE(Reported("0 < numSteps"));
  // The bypass was made discrete with two steps.
  ASSERT_EQ(Effect().ParamStepCount("", &steps), AAX_SUCCESS);
  EXPECT_EQ(steps, 2);
  ASSERT_EQ(Effect().ParamTypeCode("", &type), AAX_SUCCESS);
  EXPECT_EQ(type, 0);
}

TEST_F(ParamsHostTest, StepsFromNormalisedAtTheBoundaries)
{
  AAX_IParameter* p = Object(Effect(), "3");
  ASSERT_NE(p, nullptr);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (std::uint32_t k : {128u, 2u, 3u, 1u})
  {
    p->SetNumberOfSteps(k);
    EXPECT_EQ(p->GetNumberOfSteps(), k);
    for (double n : {-1.0, 0.0, 0.2499, 0.25, 0.4, 0.5, 0.6, 0.7499, 0.75, 0.999, 1.0, 7.0})
      EXPECT_EQ(p->GetStepValueFromNormalizedValue(n), ExpectedStep(n, k)) << k << " " << n;
    EXPECT_EQ(p->GetStepValueFromNormalizedValue(nan), 0u);
    for (std::uint32_t s : {0u, 1u, 2u, 127u, 500u})
    {
      const double expected = k < 2 ? 0.0 : std::min(1.0, static_cast<double>(s) / (k - 1));
      EXPECT_DOUBLE_EQ(p->GetNormalizedValueFromStep(s), expected) << k << " " << s;
    }
  }
  p->SetNumberOfSteps(2);
  EXPECT_EQ(p->GetStepValueFromNormalizedValue(0.4), 0u);
  EXPECT_EQ(p->GetStepValueFromNormalizedValue(0.6), 1u);
  // Setting a step goes to the host, which applies it.
  p->SetStepValue(1);
  EXPECT_EQ(Normal("3"), 1.0);
  EXPECT_EQ(p->GetStepValue(), 1u);
  p->SetNumberOfSteps(1);
  p->SetStepValue(0); // ignored with fewer than two steps
  EXPECT_EQ(Normal("3"), 1.0);
}

TEST_F(ParamsHostTest, LinearIntTaperRoundsToTheNearestWholeNumber)
{
  // 0..1: the midpoint already belongs to 1.
  EXPECT_EQ(TextOf("3", 0.49, 32), "0");
  EXPECT_EQ(TextOf("3", 0.5, 32), "1");
  EXPECT_EQ(TextOf("3", 0.0, 32), "0");
  EXPECT_EQ(TextOf("3", 1.0, 32), "1");
  // 0..2 (Mode): normalised 0.25 is 0.5 before rounding, so 1.
  EXPECT_EQ(TextOf("2", 0.2499, 32), "Low");
  EXPECT_EQ(TextOf("2", 0.25, 32), "Mid");
  // 3..3: every normalised value is 3 and 3 is the middle.
  for (double n : {0.0, 0.3, 1.0})
    EXPECT_EQ(TextOf("4", n, 32), "3 st");
  EXPECT_EQ(Normal("4"), 0.5);
  AAX_IParameter* fixed = Object(Effect(), "4");
  ASSERT_NE(fixed, nullptr);
  double n = -1.0;
  EXPECT_TRUE(fixed->GetNormalizedValueFromInt32(-50, &n));
  EXPECT_EQ(n, 0.5);

  AAX_IParameter* sw = Object(Effect(), "3");
  ASSERT_NE(sw, nullptr);
  std::int32_t plain = -1;
  // Out-of-range and NaN normalised values land on the bounds.
  EXPECT_TRUE(sw->GetInt32FromNormalizedValue(5.0, &plain));
  EXPECT_EQ(plain, 1);
  EXPECT_TRUE(sw->GetInt32FromNormalizedValue(std::numeric_limits<double>::quiet_NaN(), &plain));
  EXPECT_EQ(plain, 0);
  EXPECT_TRUE(sw->GetNormalizedValueFromInt32(1000, &n));
  EXPECT_EQ(n, 1.0);
  // Only the parameter's own type answers.
  bool b = false;
  double d = 0.0;
  float f = 0.0f;
  EXPECT_FALSE(sw->GetBoolFromNormalizedValue(1.0, &b));
  EXPECT_FALSE(sw->GetDoubleFromNormalizedValue(1.0, &d));
  EXPECT_FALSE(sw->GetFloatFromNormalizedValue(1.0, &f));
  EXPECT_FALSE(sw->GetNormalizedValueFromDouble(1.0, &n));
  EXPECT_FALSE(sw->SetValueWithDouble(1.0));
  EXPECT_FALSE(sw->SetValueWithBool(true));
}

TEST_F(ParamsHostTest, NumberDisplayCutsToTheLimitAndDropsATrailingPoint)
{
  EXPECT_EQ(TextOf("1", LevelNormal(12.3456), 32), "12.35dB");
  EXPECT_EQ(TextOf("1", LevelNormal(12.3456), 5), "12.35");
  // Room for the number but not the unit: the unit is left out.
  EXPECT_EQ(TextOf("1", LevelNormal(12.3456), 6), "12.35");
  EXPECT_EQ(TextOf("1", LevelNormal(12.3456), 7), "12.35dB");
  EXPECT_EQ(TextOf("1", LevelNormal(123.45), 5), "123.4");
  EXPECT_EQ(TextOf("1", LevelNormal(123.45), 4), "123");
  EXPECT_EQ(TextOf("1", LevelNormal(123.45), 0), "");
  EXPECT_EQ(TextOf("1", LevelNormal(123.45), -3), "");
  EXPECT_EQ(TextOf("1", LevelNormal(-3.0), 32), "-3.00dB");
  EXPECT_EQ(TextOf("1", 0.0, 32), "-100.00dB");
  EXPECT_EQ(TextOf("1", 1.0, 32), "200.00dB");
}

TEST_F(ParamsHostTest, UnitDecoratorReadsTextsWithAndWithoutItsUnit)
{
  double withUnit = -1.0, without = -2.0, blanks = -3.0;
  ASSERT_EQ(ValueFromText("1", "-3.00dB", &withUnit), AAX_SUCCESS);
  ASSERT_EQ(ValueFromText("1", "-3.00", &without), AAX_SUCCESS);
  ASSERT_EQ(ValueFromText("1", "   -3", &blanks), AAX_SUCCESS);
  EXPECT_NEAR(withUnit, LevelNormal(-3.0), 1e-12);
  EXPECT_EQ(withUnit, without);
  EXPECT_EQ(withUnit, blanks);
  double value = 0.0;
  // The longest number at the start counts; trailing words are ignored.
  ASSERT_EQ(ValueFromText("1", "50.5 loud", &value), AAX_SUCCESS);
  EXPECT_NEAR(value, LevelNormal(50.5), 1e-12);
  // Values beyond the range are confined by the parameter's own curve.
  ASSERT_EQ(ValueFromText("1", "1e9", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 1.0);
  for (const char* bad : {"dB", "", "abc", "nan", "inf", "-", ".e5"})
    EXPECT_EQ(ValueFromText("1", bad, &value), AAX_ERROR_INVALID_STRING_CONVERSION) << bad;
  // Whole-number display: the number is truncated.
  ASSERT_EQ(ValueFromText("3", "0.9", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 0.0);
  ASSERT_EQ(ValueFromText("3", "1.7", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 1.0);
  ASSERT_EQ(ValueFromText("3", "-1e300", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 0.0);
}

TEST_F(ParamsHostTest, StringDisplayAnswersStringNotFoundOutsideItsMap)
{
  AAX_Result result = AAX_SUCCESS;
  EXPECT_EQ(TextOf("2", 1.0, 32, &result), "String Not Found");
  EXPECT_EQ(result, AAX_ERROR_INVALID_STRING_CONVERSION);
  EXPECT_EQ(TextOf("2", 0.0, 32), "Low");
  // The limit does not cut a mapped name.
  EXPECT_EQ(TextOf("2", 0.5, 1), "Mid");
  ASSERT_EQ(Effect().ApplyHostParamValue("2", 1.0, 1), AAX_SUCCESS);
  EXPECT_EQ(ValueText("2", 32), "String Not Found");

  double value = -1.0;
  ASSERT_EQ(ValueFromText("2", "Mid", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 0.5);
  EXPECT_EQ(ValueFromText("2", "mid", &value), AAX_ERROR_INVALID_STRING_CONVERSION);
  EXPECT_EQ(ValueFromText("2", "Mid ", &value), AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F(ParamsHostTest, BinaryDisplayPicksTheTextThatFits)
{
  EXPECT_EQ(ValueText("", 32), "bypass");
  EXPECT_EQ(ValueText("", 6), "bypass");
  EXPECT_EQ(ValueText("", 5), "byp");
  EXPECT_EQ(ValueText("", 3), "byp");
  EXPECT_EQ(ValueText("", 2), "b");
  EXPECT_EQ(ValueText("", 0), "b");
  EXPECT_EQ(ValueText("", -4), "b");
  EXPECT_EQ(TextOf("", 1.0, 32), "on");
  EXPECT_EQ(TextOf("", 1.0, 1), "o");
  // Any normalised value above 0 is true.
  EXPECT_EQ(TextOf("", 1e-9, 32), "on");
  EXPECT_EQ(TextOf("", 0.0, 32), "bypass");

  double value = -1.0;
  ASSERT_EQ(ValueFromText("", "on", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 1.0);
  ASSERT_EQ(ValueFromText("", "bypass", &value), AAX_SUCCESS);
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(ValueFromText("", "byp", &value), AAX_ERROR_INVALID_STRING_CONVERSION);
  EXPECT_EQ(ValueFromText("", "ON", &value), AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F(ParamsHostTest, ValueObjectsAnswerOnlyTheirOwnType)
{
  struct Case
  {
    const char* id;
    bool isBool, isInt, isDouble;
  };
  for (const Case& c :
       {Case{"", true, false, false}, Case{"3", false, true, false}, Case{"1", false, false, true}})
  {
    AAX_IParameter* p = Object(Effect(), c.id);
    ASSERT_NE(p, nullptr);
    std::unique_ptr<AAX_IParameterValue> value(p->CloneValue());
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(value->Identifier(), c.id);
    bool b = false;
    std::int32_t i = 0;
    float f = 0.0f;
    double d = 0.0;
    HostString s;
    EXPECT_EQ(value->GetValueAsBool(&b), c.isBool) << c.id;
    EXPECT_EQ(value->GetValueAsInt32(&i), c.isInt) << c.id;
    EXPECT_FALSE(value->GetValueAsFloat(&f));
    EXPECT_EQ(value->GetValueAsDouble(&d), c.isDouble) << c.id;
    EXPECT_FALSE(value->GetValueAsString(&s));
    std::unique_ptr<AAX_IParameterValue> copy(value->Clone());
    EXPECT_STREQ(copy->Identifier(), c.id);
    // The parameter's own accessors agree with its value object.
    EXPECT_EQ(p->GetValueAsBool(&b), c.isBool);
    EXPECT_EQ(p->GetValueAsInt32(&i), c.isInt);
    EXPECT_EQ(p->GetValueAsDouble(&d), c.isDouble);
  }
  AAX_IParameter* level = Object(Effect(), "1");
  ASSERT_NE(level, nullptr);
  double plain = 1.0;
  ASSERT_TRUE(level->GetValueAsDouble(&plain));
  EXPECT_EQ(plain, 0.0); // the default
  HostString text;
  EXPECT_TRUE(level->GetValueAsString(&text));
  EXPECT_EQ(text.Text(), "0.00dB");
}

TEST_F(ParamsHostTest, DefaultsAreConfinedByTheTaper)
{
  double n = -1.0;
  ASSERT_EQ(Effect().ParamDefaultNormal("1", &n), AAX_SUCCESS);
  EXPECT_NEAR(n, LevelNormal(0.0), 1e-15);
  ASSERT_EQ(Effect().SetParamDefaultNormal("3", 0.7), AAX_SUCCESS);
  ASSERT_EQ(Effect().ParamDefaultNormal("3", &n), AAX_SUCCESS);
  EXPECT_EQ(n, 1.0);
  // Width has a squared curve: default 0.25 is normalised 0.5.
  ASSERT_EQ(Effect().ParamDefaultNormal("5", &n), AAX_SUCCESS);
  EXPECT_NEAR(n, 0.5, 1e-12);
  EXPECT_NEAR(Normal("5"), 0.5, 1e-12);
  EXPECT_EQ(TextOf("5", 0.5, 32), "0.25%");
}

TEST_F(ParamsHostTest, ATaperChangeAlwaysPostsAndKeepsThePlainValueWhenAsked)
{
  AAX_IParameter* p = Object(Effect(), "3");
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(Effect().ApplyHostParamValue("3", 1.0, 1), AAX_SUCCESS);
  Automation().ClearEvents();
  // 0..4 keeping the plain value 1: the host is asked for 1/4 and the answer is
  // posted although the plain value did not change.
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 4), true);
  EXPECT_EQ(Normal("3"), 0.25);
  const auto posted = EventsOf(HostAutomationDelegate::Event::Kind::CurrentValue, "3");
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].value, 0.25);
  // Back to 0..1 keeping the normalised value: 0.25 rounds to 0.
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 1), false);
  EXPECT_EQ(Normal("3"), 0.0);
  EXPECT_EQ(ValueText("3", 32), "0");
  // A taper of another value type is refused and reported.
  p->SetTaperDelegate(AAX_CBinaryTaperDelegate<bool>(), false);
  EXPECT_TRUE(Reported("taper of the parameter's value type"));
  EXPECT_EQ(TextOf("3", 0.5, 32), "1");

  Automation().ClearEvents();
  p->SetDisplayDelegate(AAX_CStringDisplayDelegate<std::int32_t>({{0, "Off"}, {1, "On"}}));
  EXPECT_EQ(ValueText("3", 32), "Off");
  EXPECT_EQ(EventsOf(HostAutomationDelegate::Event::Kind::CurrentValue, "3").size(), 1u);
}

TEST_F(ParamsHostTest, AStepCountBeyondInt32IsAnOverflow)
{
  AAX_IParameter* p = Object(Effect(), "1");
  ASSERT_NE(p, nullptr);
  p->SetNumberOfSteps(0x80000000u);
  std::int32_t steps = 0;
  EXPECT_EQ(Effect().ParamStepCount("1", &steps), AAX_ERROR_SIGNED_INT_OVERFLOW);
  p->SetNumberOfSteps(0x7FFFFFFFu);
  EXPECT_EQ(Effect().ParamStepCount("1", &steps), AAX_SUCCESS);
  EXPECT_EQ(steps, 0x7FFFFFFF);
}
