#include "IGraphics/Platforms/FixedUtf16Text.h"

#include <gtest/gtest.h>

namespace igraphics
{
namespace
{

TEST(FixedUtf16Text, TextThatFitsWithItsTerminatorIsConverted)
{
  const FixedUtf16Text<6> text("h\xC3\xA9llo"); // héllo: 5 units and the terminator
  ASSERT_TRUE(text.Fitted());
  EXPECT_EQ(text.Length(), 5u);
  EXPECT_EQ(std::u16string(text.Data()), u"h\u00e9llo");
  EXPECT_EQ(text.Data()[5], u'\0');
}

TEST(FixedUtf16Text, TextOneUnitTooLongBecomesEmpty)
{
  const FixedUtf16Text<5> text("h\xC3\xA9llo");
  EXPECT_FALSE(text.Fitted());
  EXPECT_TRUE(text.Empty());
  EXPECT_EQ(text.Data()[0], u'\0');

  // U+1F600 takes two units: it fits in three, not in two.
  EXPECT_EQ(FixedUtf16Text<3>("\xF0\x9F\x98\x80").Length(), 2u);
  EXPECT_FALSE(FixedUtf16Text<2>("\xF0\x9F\x98\x80").Fitted());
}

TEST(FixedUtf16Text, NullReadsAsEmpty)
{
  const FixedUtf16Text<4> text(nullptr);
  EXPECT_TRUE(text.Fitted());
  EXPECT_TRUE(text.Empty());
}

TEST(FixedUtf16Text, SystemBuffersAreReadUpToTerminatorOrLimit)
{
  const char16_t unterminated[4] = {u'a', u'b', u'c', u'd'};
  EXPECT_EQ(Utf16UnitsToUtf8(unterminated, 3), "abc");
  const char16_t terminated[4] = {u'h', 0xE9, u'\0', u'x'};
  EXPECT_EQ(Utf16UnitsToUtf8(terminated, 4), "h\xC3\xA9");
  EXPECT_EQ(Utf16UnitsToUtf8(nullptr, 4), "");
}

} // namespace
} // namespace igraphics
