#include "IGraphics/TextEntryCharFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace igraphics
{
namespace
{

using iplug::IParam;

// The characters of `typed` the filter lets through for `kind`.
std::u32string Filtered(IParam::ParamKind kind, const std::u32string& typed)
{
  std::u32string kept;
  for (const char32_t c : typed)
    if (TextEntryCharFilter::Accepts(kind, c)) kept.push_back(c);
  return kept;
}

TEST(TextEntryCharFilter, RealParametersTakeSignsDigitsAndThePoint)
{
  EXPECT_EQ(Filtered(IParam::Real, U"-1.5"), U"-1.5");
  EXPECT_EQ(Filtered(IParam::Real, U"+2e3dB"), U"+23");
}

TEST(TextEntryCharFilter, WholeNumberKindsRefuseThePoint)
{
  for (const IParam::ParamKind kind : {IParam::Boolean, IParam::Integer, IParam::Enumerated})
  {
    EXPECT_EQ(Filtered(kind, U"-1.5"), U"-15") << kind;
    EXPECT_EQ(Filtered(kind, U"0123456789+-"), U"0123456789+-") << kind;
  }
}

TEST(TextEntryCharFilter, NumericKindsRefuseLettersAndControlCharacters)
{
  // Ctrl+V arrives as character 0x16; Return as 0x0D.
  EXPECT_EQ(Filtered(IParam::Real, U"a\x16\r\x08 "), U"");
  EXPECT_EQ(Filtered(IParam::Integer, U"\u00e9"), U"");
}

TEST(TextEntryCharFilter, UnsetKindAndNoParameterTakeEverything)
{
  EXPECT_EQ(Filtered(IParam::Unset, U"a.\x16\u00e9"), U"a.\x16\u00e9");
  EXPECT_TRUE(TextEntryCharFilter::Accepts(nullptr, U'x'));
}

} // namespace
} // namespace igraphics
