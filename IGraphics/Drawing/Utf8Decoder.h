#pragma once

#include <cstdint>

namespace igraphics
{

// Reads UTF-8 text one code point at a time. Malformed sequences (stray
// continuation bytes, truncated or overlong forms, surrogates, values beyond
// U+10FFFF) each yield U+FFFD and never read past `end`.
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

} // namespace igraphics
