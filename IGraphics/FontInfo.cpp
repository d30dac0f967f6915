#include "IGraphics/FontInfo.h"

#include <optional>

namespace igraphics
{

namespace
{

std::optional<std::uint16_t> U16(std::span<const std::uint8_t> data, std::uint64_t at)
{
  if (at + 2 > data.size()) return std::nullopt;
  return static_cast<std::uint16_t>(data[at] << 8 | data[at + 1]);
}

std::optional<std::uint32_t> U32(std::span<const std::uint8_t> data, std::uint64_t at)
{
  if (at + 4 > data.size()) return std::nullopt;
  return static_cast<std::uint32_t>(data[at]) << 24 |
         static_cast<std::uint32_t>(data[at + 1]) << 16 |
         static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3];
}

bool TagIs(std::span<const std::uint8_t> data, std::uint64_t at, const char (&tag)[5])
{
  if (at + 4 > data.size()) return false;
  for (int i = 0; i < 4; ++i)
    if (data[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  return true;
}

// TrueType outlines (1.0), the Apple "true" tag and CFF outlines ("OTTO") start a plain font.
bool IsFontHeader(std::span<const std::uint8_t> data, std::uint64_t at)
{
  const auto version = U32(data, at);
  if (!version) return false;
  return *version == 0x00010000u || TagIs(data, at, "true") || TagIs(data, at, "OTTO");
}

void AppendUtf8(std::string& out, std::uint32_t codePoint)
{
  if (codePoint < 0x80)
    out += static_cast<char>(codePoint);
  else if (codePoint < 0x800)
  {
    out += static_cast<char>(0xc0 | codePoint >> 6);
    out += static_cast<char>(0x80 | (codePoint & 0x3f));
  }
  else if (codePoint < 0x10000)
  {
    out += static_cast<char>(0xe0 | codePoint >> 12);
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (codePoint & 0x3f));
  }
  else
  {
    out += static_cast<char>(0xf0 | codePoint >> 18);
    out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3f));
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (codePoint & 0x3f));
  }
}

// UTF-16 big-endian, as the Unicode and Windows platforms store names. A lone surrogate
// becomes U+FFFD.
std::string Utf16BeToUtf8(std::span<const std::uint8_t> text)
{
  std::string out;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
  {
    std::uint32_t unit = static_cast<std::uint32_t>(text[i] << 8 | text[i + 1]);
    if (unit >= 0xd800 && unit < 0xdc00 && i + 3 < text.size())
    {
      const std::uint32_t low = static_cast<std::uint32_t>(text[i + 2] << 8 | text[i + 3]);
      if (low >= 0xdc00 && low < 0xe000)
      {
        AppendUtf8(out, 0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00));
        i += 2;
        continue;
      }
    }
    if (unit >= 0xd800 && unit < 0xe000) unit = 0xfffd;
    AppendUtf8(out, unit);
  }
  return out;
}

// Single-byte names (the Macintosh platform): ASCII passes, other bytes read as Latin-1.
std::string SingleByteToUtf8(std::span<const std::uint8_t> text)
{
  std::string out;
  for (const std::uint8_t byte : text)
    AppendUtf8(out, byte);
  return out;
}

// Preference of a name record by platform and encoding; 0 means unreadable.
int NameRank(int platform, int encoding, int language)
{
  if (platform == 3 && (encoding == 1 || encoding == 10)) return language == 0x409 ? 4 : 3;
  if (platform == 0) return 2;
  if (platform == 1 && encoding == 0) return 1;
  return 0;
}

} // namespace

FontInfo::FontInfo(std::span<const std::uint8_t> bytes, int faceIndex) : mData(bytes)
{
  if (faceIndex < 0) return;
  if (TagIs(mData, 0, "ttcf"))
  {
    const auto faces = U32(mData, 8);
    if (!faces || static_cast<std::uint32_t>(faceIndex) >= *faces) return;
    const auto fontOffset = U32(mData, 12 + 4ull * static_cast<std::uint32_t>(faceIndex));
    if (fontOffset) ReadTableDirectory(*fontOffset);
  }
  else if (faceIndex == 0)
    ReadTableDirectory(0);
  if (!IsComplete()) return;

  mUnitsPerEm = U16(mData, mHeadOffset + 18ull).value_or(0);
  mStyleBits = U16(mData, mHeadOffset + 44ull).value_or(0);
  mAscender = static_cast<std::int16_t>(U16(mData, mHheaOffset + 4ull).value_or(0));
  mDescender = static_cast<std::int16_t>(U16(mData, mHheaOffset + 6ull).value_or(0));
  mLineGap = static_cast<std::int16_t>(U16(mData, mHheaOffset + 8ull).value_or(0));
  ReadNames();
}

int FontInfo::FaceCount(std::span<const std::uint8_t> bytes)
{
  if (TagIs(bytes, 0, "ttcf"))
  {
    const auto faces = U32(bytes, 8);
    // Only faces whose offsets are inside the data count.
    if (!faces || 12ull + 4ull * *faces > bytes.size()) return 0;
    return static_cast<int>(*faces);
  }
  return IsFontHeader(bytes, 0) ? 1 : 0;
}

void FontInfo::ReadTableDirectory(std::uint32_t fontOffset)
{
  if (!IsFontHeader(mData, fontOffset)) return;
  const auto numTables = U16(mData, fontOffset + 4ull);
  if (!numTables) return;
  for (std::uint32_t i = 0; i < *numTables; ++i)
  {
    const std::uint64_t record = fontOffset + 12ull + 16ull * i;
    const auto offset = U32(mData, record + 8);
    const auto length = U32(mData, record + 12);
    if (!offset || !length) return; // the directory runs past the data
    // A table that does not fit in the data is treated as absent.
    if (*offset == 0 || std::uint64_t{*offset} + *length > mData.size()) continue;
    if (TagIs(mData, record, "head") && *length >= 54)
      mHeadOffset = *offset;
    else if (TagIs(mData, record, "name") && *length >= 6)
    {
      mNameOffset = *offset;
      mNameLength = *length;
    }
    else if (TagIs(mData, record, "hhea") && *length >= 36)
      mHheaOffset = *offset;
    else if (TagIs(mData, record, "fdsc"))
      mFdscOffset = *offset;
  }
}

void FontInfo::ReadNames()
{
  mFamily = ReadName(1);
  mStyle = ReadName(2);
}

std::string FontInfo::ReadName(int nameId) const
{
  // Only the name table's own bytes are read.
  const std::span<const std::uint8_t> table = mData.subspan(mNameOffset, mNameLength);
  const auto count = U16(table, 2);
  const auto stringsAt = U16(table, 4);
  if (!count || !stringsAt) return {};
  int bestRank = 0;
  std::span<const std::uint8_t> best;
  int bestPlatform = 0;
  for (std::uint32_t i = 0; i < *count; ++i)
  {
    const std::uint64_t record = 6ull + 12ull * i;
    const auto platform = U16(table, record);
    const auto encoding = U16(table, record + 2);
    const auto language = U16(table, record + 4);
    const auto id = U16(table, record + 6);
    const auto length = U16(table, record + 8);
    const auto offset = U16(table, record + 10);
    if (!platform || !encoding || !language || !id || !length || !offset) break;
    if (*id != nameId) continue;
    const int rank = NameRank(*platform, *encoding, *language);
    const std::uint64_t start = std::uint64_t{*stringsAt} + *offset;
    if (rank <= bestRank || start + *length > table.size()) continue;
    bestRank = rank;
    bestPlatform = *platform;
    best = table.subspan(start, *length);
  }
  if (bestRank == 0) return {};
  return bestPlatform == 1 ? SingleByteToUtf8(best) : Utf16BeToUtf8(best);
}

} // namespace igraphics
