#include "IGraphics/Drawing/DecodedImage.h"

#include <stb_image.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace igraphics
{

namespace
{

// The JPEG decoder trusts its Huffman tables: more than 256 codes, code
// lengths that overflow, or a scan that uses a table never defined make it
// read and write out of bounds. This walk over the segments refuses such
// files before they reach it. Bytes that are not JPEG pass (other decoders
// judge them); a file cut off inside a segment is refused.
bool JpegTablesSound(const std::uint8_t* p, std::size_t n)
{
  // The decoder takes any run of 0xFF bytes before the start marker.
  std::size_t i = 0;
  while (i < n && p[i] == 0xFF)
    ++i;
  if (i == 0 || i >= n || p[i] != 0xD8) return true;
  ++i;
  bool defined[2][4] = {};
  while (i + 4 <= n)
  {
    if (p[i] != 0xFF) return false;
    while (i + 1 < n && p[i + 1] == 0xFF) // fill bytes
      ++i;
    if (i + 4 > n) return true;
    const std::uint8_t marker = p[i + 1];
    i += 2;
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (marker == 0xD9) return true;
    const std::size_t length = (static_cast<std::size_t>(p[i]) << 8) | p[i + 1];
    // The decoder would read a cut-off segment on as zeros; refuse it instead.
    if (length < 2 || i + length > n) return false;
    const std::uint8_t* seg = p + i + 2;
    const std::size_t segLength = length - 2;
    if (marker == 0xC4)
    {
      std::size_t j = 0;
      while (j < segLength)
      {
        if (j + 17 > segLength) return false;
        const int tableClass = seg[j] >> 4;
        const int tableId = seg[j] & 15;
        if (tableClass > 1 || tableId > 3) return false;
        std::size_t symbols = 0;
        unsigned code = 0;
        for (int bits = 1; bits <= 16; ++bits)
        {
          const unsigned count = seg[j + static_cast<std::size_t>(bits)];
          symbols += count;
          code += count;
          if (code > (1u << bits)) // more codes of this length than exist
            return false;
          code <<= 1;
        }
        if (symbols > 256) return false;
        j += 17 + symbols;
        if (j > segLength) return false;
        defined[tableClass][tableId] = true;
      }
    }
    else if (marker == 0xDA)
    {
      if (segLength < 1) return false;
      const std::size_t components = seg[0];
      if (segLength < 1 + 2 * components + 3) return false;
      const int spectralStart = seg[1 + 2 * components];
      const int spectralEnd = seg[2 + 2 * components];
      for (std::size_t c = 0; c < components; ++c)
      {
        const int dc = seg[2 + 2 * c] >> 4;
        const int ac = seg[2 + 2 * c] & 15;
        if (dc > 3 || ac > 3) return false;
        if (spectralStart == 0 && !defined[0][dc]) return false;
        if (spectralEnd > 0 && !defined[1][ac]) return false;
      }
      // Skip the entropy-coded data up to the next marker (not a stuffed
      // zero or a restart marker).
      i += length;
      while (i + 1 < n &&
             !(p[i] == 0xFF && p[i + 1] != 0x00 && !(p[i + 1] >= 0xD0 && p[i + 1] <= 0xD7)))
        ++i;
      continue;
    }
    i += length;
  }
  return true;
}

// The PNG decoder copies an empty first data chunk from a null buffer, and it
// grows its buffer to a data chunk's declared length before reading it, so a
// length field alone could make it ask for gigabytes. Empty data chunks carry
// nothing and a chunk running past the end is a broken file: both are refused.
bool PngChunksSound(const std::uint8_t* p, std::size_t n)
{
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (n < 8 || std::memcmp(p, kSignature, 8) != 0) return true;
  std::size_t i = 8;
  while (i + 8 <= n)
  {
    const std::size_t length = (static_cast<std::size_t>(p[i]) << 24) |
                               (static_cast<std::size_t>(p[i + 1]) << 16) |
                               (static_cast<std::size_t>(p[i + 2]) << 8) | p[i + 3];
    if (length == 0 && std::memcmp(p + i + 4, "IDAT", 4) == 0) return false;
    if (length > n || i + 12 + length > n) return false;
    i += 12 + length;
  }
  return true;
}

} // namespace

bool DecodedImage::Decode(const std::uint8_t* bytes, std::size_t size)
{
  width_ = height_ = 0;
  pixels_.clear();
  if (!bytes || size == 0 || size > static_cast<std::size_t>(INT_MAX) ||
      !JpegTablesSound(bytes, size) || !PngChunksSound(bytes, size))
    return false;
  const int length = static_cast<int>(size);
  int w = 0, h = 0, channels = 0;
  // Checking the header first keeps huge or hostile dimensions from being allocated.
  if (!stbi_info_from_memory(bytes, length, &w, &h, &channels) || w <= 0 || h <= 0 ||
      w > kMaxDimension || h > kMaxDimension ||
      static_cast<std::size_t>(w) * static_cast<std::size_t>(h) > kMaxPixels)
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
