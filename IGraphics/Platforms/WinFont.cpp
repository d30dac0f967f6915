#include "IGraphics/Platforms/WinFont.h"

#include "IGraphics/FontInfo.h"

namespace igraphics
{

namespace
{

// GetFontData takes a table tag as the four bytes read in file order.
constexpr DWORD kCollectionTag = 't' | ('t' << 8) | ('c' << 16) | (static_cast<DWORD>('f') << 24);

// A memory device context with `font` selected, restored and deleted on leaving.
class SelectedFont
{
public:
  explicit SelectedFont(HFONT font) : mDC(CreateCompatibleDC(nullptr))
  {
    if (mDC) mPrevious = SelectObject(mDC, font);
  }
  ~SelectedFont()
  {
    if (!mDC) return;
    SelectObject(mDC, mPrevious);
    DeleteDC(mDC);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
  HDC DC() const { return mDC; }

private:
  HDC mDC;
  HGDIOBJ mPrevious = nullptr;
};

} // namespace

IGraphicsWin::Font::Font(HFONT font, bool system, std::string style)
    : mFont(font), mSystem(system), mStyle(std::move(style))
{
}

IGraphicsWin::Font::~Font()
{
  DeleteObject(mFont);
}

FontDataRecord IGraphicsWin::Font::FontData() const
{
  FontDataRecord record;
  const SelectedFont selected(mFont);
  if (!selected.DC()) return record;
  // A face of a collection is read with the whole collection, so the face index can find it
  // there; a plain font file has no collection table.
  DWORD table = kCollectionTag;
  DWORD size = GetFontData(selected.DC(), table, 0, nullptr, 0);
  if (size == GDI_ERROR)
  {
    table = 0;
    size = GetFontData(selected.DC(), table, 0, nullptr, 0);
  }
  if (size == GDI_ERROR || size == 0) return record;
  record.bytes.resize(size);
  if (GetFontData(selected.DC(), table, 0, record.bytes.data(), size) != size)
  {
    record.bytes.clear();
    return record;
  }
  record.faceIndex = FaceIndexOfStyle(record.bytes, mStyle);
  return record;
}

int IGraphicsWin::Font::FaceIndexOfStyle(std::span<const std::uint8_t> bytes,
                                         const std::string& style)
{
  const int faces = FontInfo::FaceCount(bytes);
  for (int face = 0; face < faces; ++face)
  {
    const FontInfo info(bytes, face);
    if (!info.IsComplete()) return -1;
    if (style.empty() || info.StyleName() == style) return face;
  }
  return -1;
}

} // namespace igraphics
