#include "IPlug/IPlugUtilities.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using iplug::CopyTruncatedUtf8;

namespace
{
// A text is valid UTF-8 as far as sequence boundaries go: every lead byte is
// followed by exactly its continuation bytes.
bool EndsOnSequenceBoundary(const std::string& s)
{
  std::size_t i = 0;
  while (i < s.size())
  {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
    if (i + n > s.size()) return false;
    i += n;
  }
  return true;
}
} // namespace

TEST(Utf8Truncation, ShortTextsAreCopiedWhole)
{
  char buf[32];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(CopyTruncatedUtf8(buf, sizeof buf, "Drive"), 5u);
  EXPECT_STREQ(buf, "Drive");
  EXPECT_EQ(CopyTruncatedUtf8(buf, sizeof buf, nullptr), 0u);
  EXPECT_STREQ(buf, "");
}

TEST(Utf8Truncation, LongAsciiIsCutTo31BytesAndTerminated)
{
  const std::string longName(100, 'a');
  char buf[32];
  EXPECT_EQ(CopyTruncatedUtf8(buf, sizeof buf, longName.c_str()), 31u);
  EXPECT_EQ(std::string(buf), std::string(31, 'a'));
}

TEST(Utf8Truncation, CutNeverSplitsAMultiByteSequence)
{
  // Every alignment of 2-, 3- and 4-byte characters against the 31-byte limit.
  const char* glyphs[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x8E\xB8"};
  for (const char* glyph : glyphs)
  {
    for (int pad = 0; pad < 4; ++pad)
    {
      std::string text(pad, 'p');
      while (text.size() < 60)
        text += glyph;
      char buf[32];
      const std::size_t n = CopyTruncatedUtf8(buf, sizeof buf, text.c_str());
      EXPECT_LE(n, 31u);
      EXPECT_GE(n, 31u - (std::strlen(glyph) - 1));
      EXPECT_EQ(buf[n], '\0');
      EXPECT_TRUE(EndsOnSequenceBoundary(buf))
          << "glyph bytes " << std::strlen(glyph) << " pad " << pad;
      EXPECT_EQ(text.compare(0, n, buf), 0);
    }
  }
}

TEST(Utf8Truncation, MalformedBytesStillGiveABoundedTerminatedText)
{
  const std::string junk(40, '\x80'); // continuation bytes with no lead
  char buf[8];
  const std::size_t n = CopyTruncatedUtf8(buf, sizeof buf, junk.c_str());
  EXPECT_LE(n, 7u);
  EXPECT_EQ(buf[n], '\0');
  EXPECT_EQ(CopyTruncatedUtf8(buf, 1, "abc"), 0u);
  EXPECT_STREQ(buf, "");
}
