#include "IGraphics/Drawing/DecodedImage.h"

#include <stb_image.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace igraphics
{

bool DecodedImage::Decode(const std::uint8_t* bytes, std::size_t size)
{
  width_ = height_ = 0;
  pixels_.clear();
  if (!bytes || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(size);
  int w = 0, h = 0, channels = 0;
  // Checking the header first keeps huge or hostile dimensions from being allocated.
  if (!stbi_info_from_memory(bytes, length, &w, &h, &channels) || w <= 0 || h <= 0 ||
      w > kMaxDimension || h > kMaxDimension)
    return false;
  stbi_uc* decoded = stbi_load_from_memory(bytes, length, &w, &h, &channels, 4);
  if (!decoded) return false;
  width_ = w;
  height_ = h;
  pixels_.assign(decoded, decoded + static_cast<std::size_t>(w) * h * 4);
  stbi_image_free(decoded);
  return true;
}

bool DecodedImage::Load(const char* path)
{
  width_ = height_ = 0;
  pixels_.clear();
  if (!path) return false;
  const std::u8string utf8(reinterpret_cast<const char8_t*>(path),
                           reinterpret_cast<const char8_t*>(path) + std::strlen(path));
  std::ifstream file(std::filesystem::path(utf8), std::ios::binary);
  if (!file) return false;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                        std::istreambuf_iterator<char>());
  return Decode(bytes.data(), bytes.size());
}

} // namespace igraphics
