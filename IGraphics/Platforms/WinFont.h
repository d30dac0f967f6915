#pragma once

#include "IGraphics/Platforms/IGraphicsWin.h"

#include <cstdint>
#include <span>
#include <string>

namespace igraphics
{

// A GDI font made by the platform layer: an installed family (system flag set) or a private
// memory font. Its data record is the font file GDI holds for it, so the renderer draws with
// exactly the face Windows chose. [main-thread]
class IGraphicsWin::Font final : public PlatformFont
{
public:
  // Takes ownership of `font`; `style` is "Bold", "Italic", "Regular" or empty (the first
  // named face of a collection).
  Font(HFONT font, bool system, std::string style);
  ~Font() override;

  void* NativeFontHandle() const override { return mFont; }
  FontDataRecord FontData() const override;

  bool IsSystem() const { return mSystem; }
  const std::string& Style() const { return mStyle; }

  // The face of `bytes` (a font file or collection) whose style name is `style`; an empty
  // style takes the first face. -1 at the first face lacking "head", "name" or "hhea", or when
  // none matches.
  static int FaceIndexOfStyle(std::span<const std::uint8_t> bytes, const std::string& style);

private:
  HFONT mFont;
  bool mSystem;
  std::string mStyle;
};

} // namespace igraphics
