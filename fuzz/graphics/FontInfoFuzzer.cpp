// Font bytes come from files and module resources: reading their tables may not crash or
// read outside the data, for any face index.
#include "IGraphics/FontInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::span<const std::uint8_t> bytes(data, size);
  const int faces = igraphics::FontInfo::FaceCount(bytes);
  if (faces < 0 || static_cast<std::size_t>(faces) > size) std::abort();
  // A few faces are enough: each reads the same way.
  for (int face = -1; face < faces && face < 4; ++face)
  {
    const igraphics::FontInfo info(bytes, face);
    if (!info.IsComplete()) continue;
    if (info.HeadOffset() >= size || info.NameOffset() >= size || info.HheaOffset() >= size)
      std::abort();
    if (info.FamilyName().size() > 4 * size || info.StyleName().size() > 4 * size) std::abort();
  }
  return 0;
}
