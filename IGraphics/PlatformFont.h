#pragma once

#include <cstdint>
#include <vector>

namespace igraphics
{

// The bytes of a font file as the renderer reads them, and which face to use.
struct FontDataRecord
{
  std::vector<std::uint8_t> bytes;
  int faceIndex = -1; // -1 when unknown

  bool IsValid() const { return !bytes.empty() && faceIndex >= 0; }
};

// A font the platform layer made; platforms derive to hold their native handle.
class PlatformFont
{
public:
  PlatformFont() = default;
  virtual ~PlatformFont() = default;
  PlatformFont(const PlatformFont&) = delete;
  PlatformFont& operator=(const PlatformFont&) = delete;

  virtual void* NativeFontHandle() const { return nullptr; }
  virtual FontDataRecord FontData() const { return {}; }
};

} // namespace igraphics
