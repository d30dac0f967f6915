#pragma once

#include <cstdint>

namespace igraphics
{

// A straight (not premultiplied) colour with components in 0..1.
struct Color
{
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;

  static constexpr Color Rgba(float r, float g, float b, float a) { return {r, g, b, a}; }
  static constexpr Color Rgba8(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
  {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
  }

  bool operator==(const Color&) const = default;
};

} // namespace igraphics
