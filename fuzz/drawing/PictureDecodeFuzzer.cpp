// Picture bytes (PNG, JPEG) and UTF-8 text reach the renderer from resources
// and callers; neither may crash, read out of bounds or allocate without limit.
#include "IGraphics/Drawing/DecodedImage.h"
#include "IGraphics/Drawing/Utf8Decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  igraphics::DecodedImage image;
  if (image.Decode(data, size))
  {
    if (image.Width() <= 0 || image.Height() <= 0 ||
        image.Width() > igraphics::DecodedImage::kMaxDimension ||
        image.Height() > igraphics::DecodedImage::kMaxDimension || !image.Pixels())
      std::abort();
  }
  const char* text = reinterpret_cast<const char*>(data);
  igraphics::Utf8Decoder decoder(text, text + size);
  std::size_t count = 0;
  while (!decoder.AtEnd())
  {
    const std::uint32_t cp = decoder.Next();
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || ++count > size) std::abort();
  }
  return 0;
}
