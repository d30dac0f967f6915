#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plughost
{

// A picture as plughost writes it: straight (not premultiplied) RGBA, 8 bits a
// channel, rows top to bottom without padding.
struct RgbaImage
{
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// Encodes the picture as PNG and writes it whole or not at all (through
// AtomicFileWriter). False with the reason. [main-thread]
bool WritePngFile(const std::string& path, const RgbaImage& image, std::string* error);

} // namespace plughost
