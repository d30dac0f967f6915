// Reading a TrueType font's tables: the product's font, fonts built here, and broken data.
#include "ResourceFiles.h"

#include "IGraphics/FontInfo.h"
#include "IGraphics/MemoryFont.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::size_t at, unsigned value)
{
  out[at] = static_cast<std::uint8_t>(value >> 8);
  out[at + 1] = static_cast<std::uint8_t>(value);
}

void Put32(Bytes& out, std::size_t at, std::uint32_t value)
{
  Put16(out, at, value >> 16);
  Put16(out, at + 2, value & 0xffff);
}

struct NameRecord
{
  unsigned platform, encoding, language, nameId;
  Bytes text;
};

Bytes Utf16Be(const std::string& ascii)
{
  Bytes out;
  for (char c : ascii)
  {
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(c));
  }
  return out;
}

Bytes NameTable(const std::vector<NameRecord>& records)
{
  Bytes table(6 + 12 * records.size());
  Put16(table, 2, static_cast<unsigned>(records.size()));
  Put16(table, 4, static_cast<unsigned>(table.size()));
  std::size_t textOffset = 0;
  for (std::size_t i = 0; i < records.size(); ++i)
  {
    const std::size_t at = 6 + 12 * i;
    Put16(table, at, records[i].platform);
    Put16(table, at + 2, records[i].encoding);
    Put16(table, at + 4, records[i].language);
    Put16(table, at + 6, records[i].nameId);
    Put16(table, at + 8, static_cast<unsigned>(records[i].text.size()));
    Put16(table, at + 10, static_cast<unsigned>(textOffset));
    textOffset += records[i].text.size();
  }
  for (const NameRecord& record : records)
    table.insert(table.end(), record.text.begin(), record.text.end());
  return table;
}

struct Table
{
  std::string tag;
  Bytes bytes;
};

// A font file of the given tables, laid out after the directory in order.
Bytes FontFile(const std::vector<Table>& tables)
{
  Bytes font(12 + 16 * tables.size());
  Put32(font, 0, 0x00010000);
  Put16(font, 4, static_cast<unsigned>(tables.size()));
  for (std::size_t i = 0; i < tables.size(); ++i)
  {
    const std::size_t record = 12 + 16 * i;
    for (int c = 0; c < 4; ++c)
      font[record + c] = static_cast<std::uint8_t>(tables[i].tag[c]);
    Put32(font, record + 8, static_cast<std::uint32_t>(font.size()));
    Put32(font, record + 12, static_cast<std::uint32_t>(tables[i].bytes.size()));
    font.insert(font.end(), tables[i].bytes.begin(), tables[i].bytes.end());
  }
  return font;
}

Table Head(unsigned unitsPerEm, unsigned macStyle)
{
  Bytes head(54);
  Put16(head, 18, unitsPerEm);
  Put16(head, 44, macStyle);
  return {"head", head};
}

Table Hhea(int ascender, int descender, int lineGap)
{
  Bytes hhea(36);
  Put16(hhea, 4, static_cast<unsigned>(ascender) & 0xffff);
  Put16(hhea, 6, static_cast<unsigned>(descender) & 0xffff);
  Put16(hhea, 8, static_cast<unsigned>(lineGap) & 0xffff);
  return {"hhea", hhea};
}

Bytes SampleFont()
{
  return FontFile({Head(1000, 3),
                   {"name", NameTable({{1, 0, 0, 1, {'M', 'a', 'c'}},
                                       {3, 1, 0x409, 1, Utf16Be("Quill Sans")},
                                       {3, 1, 0x409, 2, Utf16Be("Bold Italic")}})},
                   Hhea(800, -200, 90)});
}

TEST(FontInfo, ReadsTheProductFontFromItsOwnTables)
{
  const Bytes roboto = ReadFileBytes(ResourcePath("ROBOTO-REGULAR.TTF"));
  ASSERT_FALSE(roboto.empty());
  const igraphics::FontInfo info(roboto);
  ASSERT_TRUE(info.IsComplete());
  EXPECT_EQ(info.UnitsPerEm(), 2048);
  EXPECT_EQ(info.Ascender(), 1900);
  EXPECT_EQ(info.Descender(), -500);
  EXPECT_EQ(info.LineGap(), 0);
  EXPECT_EQ(info.FamilyName(), "Roboto");
  EXPECT_EQ(info.StyleName(), "Regular");
  EXPECT_FALSE(info.IsBold());
  EXPECT_EQ(info.FdscOffset(), 0u);
  EXPECT_EQ(igraphics::FontInfo::FaceCount(roboto), 1);
}

TEST(FontInfo, PrefersWindowsEnglishNamesAndReadsStyleBits)
{
  const igraphics::FontInfo info(SampleFont());
  ASSERT_TRUE(info.IsComplete());
  EXPECT_EQ(info.UnitsPerEm(), 1000);
  EXPECT_TRUE(info.IsBold());
  EXPECT_TRUE(info.IsItalic());
  EXPECT_FALSE(info.IsUnderline());
  EXPECT_EQ(info.Ascender(), 800);
  EXPECT_EQ(info.Descender(), -200);
  EXPECT_EQ(info.LineGap(), 90);
  EXPECT_EQ(info.FamilyName(), "Quill Sans");
  EXPECT_EQ(info.StyleName(), "Bold Italic");
}

TEST(FontInfo, ReadsFacesOfACollection)
{
  const Bytes face = SampleFont();
  // "ttcf", version, two faces; both offsets point at the same face after the header.
  Bytes collection(20);
  collection[0] = 't';
  collection[1] = 't';
  collection[2] = 'c';
  collection[3] = 'f';
  Put32(collection, 8, 2);
  Put32(collection, 12, 20);
  Put32(collection, 16, 20);
  // Table offsets count from the start of the collection.
  Bytes shifted = face;
  const unsigned tables = static_cast<unsigned>(face[4] << 8 | face[5]);
  for (unsigned i = 0; i < tables; ++i)
  {
    const std::size_t at = 12 + 16 * i + 8;
    const std::uint32_t offset = static_cast<std::uint32_t>(face[at] << 24 | face[at + 1] << 16 |
                                                            face[at + 2] << 8 | face[at + 3]);
    Put32(shifted, at, offset + 20);
  }
  collection.insert(collection.end(), shifted.begin(), shifted.end());
  EXPECT_EQ(igraphics::FontInfo::FaceCount(collection), 2);
  EXPECT_EQ(igraphics::FontInfo(collection, 1).FamilyName(), "Quill Sans");
  EXPECT_FALSE(igraphics::FontInfo(collection, 2).IsComplete());
  EXPECT_FALSE(igraphics::FontInfo(collection, -1).IsComplete());
}

TEST(FontInfo, BrokenDataReadsAsIncompleteWithoutReadingPastIt)
{
  const Bytes font = SampleFont();
  // Every prefix of the file cuts the last table ("hhea"): nothing may be read beyond the
  // data (the sanitiser run watches), and the font is incomplete.
  for (std::size_t size = 0; size < font.size(); ++size)
  {
    const Bytes prefix(font.begin(), font.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_FALSE(igraphics::FontInfo(prefix).IsComplete()) << size;
  }
  EXPECT_FALSE(igraphics::FontInfo(Bytes{}).IsComplete());
  EXPECT_EQ(igraphics::FontInfo::FaceCount(Bytes{'t', 't', 'c', 'f', 0, 0, 0, 0, 0, 0, 0, 9}), 0)
      << "a collection claiming faces beyond its data";

  // A table whose length runs past the data is absent.
  Bytes longHead = font;
  Put32(longHead, 12 + 12, 0x7fffffff);
  EXPECT_FALSE(igraphics::FontInfo(longHead).IsComplete());

  // A name record pointing past its table leaves that name empty.
  Bytes badName = FontFile(
      {Head(1000, 0),
       {"name", NameTable({{3, 1, 0x409, 1, Utf16Be("Fine")}, {3, 1, 0x409, 2, Utf16Be("Cut")}})},
       Hhea(1, -1, 0)});
  const std::size_t nameAt = 12 + 16 * 3 + 54;
  Put16(badName, nameAt + 6 + 12 + 10, 0xfff0);
  const igraphics::FontInfo info(badName);
  ASSERT_TRUE(info.IsComplete());
  EXPECT_EQ(info.FamilyName(), "Fine");
  EXPECT_EQ(info.StyleName(), "");
}

TEST(FontInfo, MissingTablesLeaveTheFieldsUnset)
{
  const igraphics::FontInfo info(FontFile({Head(1000, 0), Hhea(800, -200, 0)}));
  EXPECT_FALSE(info.IsComplete());
  EXPECT_NE(info.HeadOffset(), 0u);
  EXPECT_EQ(info.NameOffset(), 0u);
  EXPECT_EQ(info.UnitsPerEm(), 0);
  EXPECT_EQ(info.Ascender(), 0);
}

TEST(MemoryFont, OffersItsBytesOnlyWhenAFaceIsComplete)
{
  const Bytes roboto = ReadFileBytes(ResourcePath("ROBOTO-REGULAR.TTF"));
  const igraphics::MemoryFont font(roboto);
  ASSERT_TRUE(font.IsUsable());
  const igraphics::FontDataRecord record = font.FontData();
  EXPECT_EQ(record.faceIndex, 0);
  EXPECT_TRUE(record.bytes == roboto);

  const igraphics::MemoryFont broken(Bytes(roboto.begin(), roboto.begin() + 40));
  EXPECT_FALSE(broken.IsUsable());
  EXPECT_FALSE(broken.FontData().IsValid());
}

} // namespace
