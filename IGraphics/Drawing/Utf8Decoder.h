#pragma once

#include <cstdint>

namespace igraphics
{

// Reads UTF-8 text one code point at a time. Malformed sequences (stray
// continuation bytes, truncated or overlong forms, surrogates, values beyond
// U+10FFFF) each yield U+FFFD and never read past `end`. Header-only: the
// renderer and the headless engine's text entry both read with it.
class Utf8Decoder
{
public:
  Utf8Decoder(const char* text, const char* end) : p_(text), end_(end) {}

  bool AtEnd() const { return p_ >= end_; }
  std::uint32_t Next();

private:
  const char* p_;
  const char* end_;
};

inline std::uint32_t Utf8Decoder::Next()
{
  constexpr std::uint32_t kReplacement = 0xFFFD;
  const auto byte = [](const char* q) { return static_cast<std::uint8_t>(*q); };
  const std::uint8_t lead = byte(p_++);
  if (lead < 0x80) return lead;
  int extra;
  std::uint32_t cp;
  std::uint32_t min;
  if ((lead & 0xE0) == 0xC0)
  {
    extra = 1;
    cp = lead & 0x1F;
    min = 0x80;
  }
  else if ((lead & 0xF0) == 0xE0)
  {
    extra = 2;
    cp = lead & 0x0F;
    min = 0x800;
  }
  else if ((lead & 0xF8) == 0xF0)
  {
    extra = 3;
    cp = lead & 0x07;
    min = 0x10000;
  }
  else
    return kReplacement;
  for (int i = 0; i < extra; ++i)
  {
    if (p_ >= end_ || (byte(p_) & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (byte(p_++) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  return cp;
}

} // namespace igraphics
