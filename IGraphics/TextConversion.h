#pragma once

#include <string>

// UTF-8 inside the engine, UTF-16 where a text is edited. Malformed input
// (a bad UTF-8 sequence, a lone surrogate) becomes U+FFFD instead of being
// dropped or read past. [any-thread]

namespace igraphics
{

std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);
// The first code point of `utf8` (0 for an empty text).
char32_t FirstCodePoint(const std::string& utf8);

} // namespace igraphics
