// UTF-8 ↔ UTF-16 for the text entry: round trips, and malformed input of
// either kind becoming U+FFFD without reading past the end.

#include "IGraphics/TextConversion.h"

#include <gtest/gtest.h>

using namespace igraphics;

namespace
{
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
}

TEST(TextConversion, WellFormedTextRoundTripsThroughUtf16)
{
  // One, two, three and four bytes: "a", "é", "€", U+1F600.
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, (std::u16string{u'a', 0x00E9, 0x20AC, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(FirstCodePoint(text), U'a');
  EXPECT_EQ(FirstCodePoint("\xE2\x82\xAC"), U'\u20AC');
  EXPECT_EQ(FirstCodePoint(""), U'\0');
}

TEST(TextConversion, LoneSurrogatesBecomeReplacementCharacters)
{
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'a'}), kReplacement + "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xDC00}), "a" + kReplacement);
  // A low half before a high half is two lone halves.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDE00, 0xD83D}), kReplacement + kReplacement);
}

TEST(TextConversion, MalformedUtf8BecomesOneReplacementPerBadSequence)
{
  // A stray continuation byte, a truncated sequence at the end, an overlong
  // form of "/", and an encoded surrogate.
  EXPECT_EQ(Utf8ToUtf16("\x80x"), (std::u16string{0xFFFD, u'x'}));
  EXPECT_EQ(Utf8ToUtf16("x\xE2\x82"), (std::u16string{u'x', 0xFFFD}));
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAFy"), (std::u16string{0xFFFD, u'y'}));
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), (std::u16string{0xFFFD}));
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), (std::u16string{0xFFFD})); // beyond U+10FFFF
  // A sequence cut by a byte that cannot continue it: the byte starts afresh.
  EXPECT_EQ(Utf8ToUtf16("\xE2z"), (std::u16string{0xFFFD, u'z'}));
}
