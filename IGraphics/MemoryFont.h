#pragma once

#include "IGraphics/PlatformFont.h"

#include <cstdint>
#include <span>
#include <vector>

namespace igraphics
{

// A font known only by its file's bytes: what the platform layer makes of a font file or
// module resource where the operating system need not register it. Its data record is the
// bytes at the first face whose "head", "name" and "hhea" tables read completely.
// [main-thread]
class MemoryFont final : public PlatformFont
{
public:
  explicit MemoryFont(std::span<const std::uint8_t> bytes);

  FontDataRecord FontData() const override;

  // Whether the bytes hold a face the renderer can use.
  bool IsUsable() const { return mFaceIndex >= 0; }

private:
  std::vector<std::uint8_t> mBytes;
  int mFaceIndex = -1;
};

} // namespace igraphics
