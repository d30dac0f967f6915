#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace igraphics
{

// Pixels of a decoded PNG or JPEG picture: straight RGBA, 8 bits per channel,
// rows top to bottom.
class DecodedImage
{
public:
  // Largest accepted width or height; larger pictures are refused before decoding.
  static constexpr int kMaxDimension = 16384;
  // Largest accepted pixel count (16-bit RGBA at this size is 128 MiB of
  // decoder memory).
  static constexpr std::size_t kMaxPixels = std::size_t{1} << 24;

  // False (and the image left empty) for bytes that are not a supported picture.
  bool Decode(const std::uint8_t* bytes, std::size_t size);
  // `path` is UTF-8.
  bool Load(const char* path);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::uint8_t* Pixels() const { return pixels_.data(); }

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

} // namespace igraphics
