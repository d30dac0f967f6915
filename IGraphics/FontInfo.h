#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace igraphics
{

// What the graphics engine needs to know about a TrueType font before handing it to the
// renderer or the platform: where its "head", "name", "hhea" and "fdsc" tables are, its units
// per em, style bits, family and style names and vertical metrics (font units).
//
// The bytes are untrusted (a file on disk may be anything): every read is checked against the
// data, and a font whose tables do not fit reads as incomplete. [any-thread]
class FontInfo
{
public:
  // Reads face `faceIndex` of a font file or font collection ("ttcf").
  FontInfo(std::span<const std::uint8_t> bytes, int faceIndex = 0);

  // The faces in the data: the collection's count, 1 for a plain font, 0 for neither.
  static int FaceCount(std::span<const std::uint8_t> bytes);

  // Whether "head", "name" and "hhea" were all found: only then are the fields below set.
  bool IsComplete() const { return mHeadOffset && mNameOffset && mHheaOffset; }

  // Table offsets from the start of the data; 0 when absent.
  std::uint32_t HeadOffset() const { return mHeadOffset; }
  std::uint32_t NameOffset() const { return mNameOffset; }
  std::uint32_t HheaOffset() const { return mHheaOffset; }
  std::uint32_t FdscOffset() const { return mFdscOffset; }

  int UnitsPerEm() const { return mUnitsPerEm; }
  // Bit 0 bold, bit 1 italic, bit 2 underline.
  int StyleBits() const { return mStyleBits; }
  bool IsBold() const { return mStyleBits & 1; }
  bool IsItalic() const { return mStyleBits & 2; }
  bool IsUnderline() const { return mStyleBits & 4; }
  // UTF-8; empty when the font names none it can read.
  const std::string& FamilyName() const { return mFamily; }
  const std::string& StyleName() const { return mStyle; }
  int Ascender() const { return mAscender; }
  int Descender() const { return mDescender; }
  int LineGap() const { return mLineGap; }

private:
  void ReadTableDirectory(std::uint32_t fontOffset);
  void ReadNames();
  std::string ReadName(int nameId) const;

  std::span<const std::uint8_t> mData;
  std::uint32_t mHeadOffset = 0;
  std::uint32_t mNameOffset = 0;
  std::uint32_t mNameLength = 0;
  std::uint32_t mHheaOffset = 0;
  std::uint32_t mFdscOffset = 0;
  int mUnitsPerEm = 0;
  int mStyleBits = 0;
  std::string mFamily;
  std::string mStyle;
  int mAscender = 0;
  int mDescender = 0;
  int mLineGap = 0;
};

} // namespace igraphics
