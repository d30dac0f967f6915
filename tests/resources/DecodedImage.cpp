#include "DecodedImage.h"

// Private to this file: the product's renderer, linked in where a platform layer
// exists, carries its own copy of the decoder.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image.h>
#pragma GCC diagnostic pop

DecodedImage::DecodedImage(const std::string& path)
{
  // In the body: the size members must be initialised before stb_image writes them.
  mPixels.reset(stbi_load(path.c_str(), &mWidth, &mHeight, &mChannelsInFile, 4));
}

void DecodedImage::Release::operator()(std::uint8_t* pixels) const
{
  stbi_image_free(pixels);
}

DecodedImage::Pixel DecodedImage::At(int x, int y) const
{
  const std::uint8_t* p = mPixels.get() + (static_cast<size_t>(y) * mWidth + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}
