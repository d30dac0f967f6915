#include "IGraphics/MemoryFont.h"

#include "IGraphics/FontInfo.h"

namespace igraphics
{

MemoryFont::MemoryFont(std::span<const std::uint8_t> bytes) : mBytes(bytes.begin(), bytes.end())
{
  const int faces = FontInfo::FaceCount(mBytes);
  for (int face = 0; face < faces; ++face)
  {
    if (!FontInfo(mBytes, face).IsComplete()) continue;
    mFaceIndex = face;
    break;
  }
}

FontDataRecord MemoryFont::FontData() const
{
  if (!IsUsable()) return {};
  return FontDataRecord{mBytes, mFaceIndex};
}

} // namespace igraphics
