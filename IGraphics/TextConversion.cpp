#include "IGraphics/TextConversion.h"

namespace igraphics
{

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b)
{
  return (b & 0xC0) == 0x80;
}

// Decodes one code point at `i` and moves past it; malformed input yields
// U+FFFD and consumes one byte.
char32_t DecodeAt(const std::string& s, std::size_t& i)
{
  const auto lead = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t cp = 0;
  char32_t least = 0;
  if (lead < 0x80)
  {
    ++i;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0)
  {
    extra = 1;
    cp = lead & 0x1F;
    least = 0x80;
  }
  else if ((lead & 0xF0) == 0xE0)
  {
    extra = 2;
    cp = lead & 0x0F;
    least = 0x800;
  }
  else if ((lead & 0xF8) == 0xF0)
  {
    extra = 3;
    cp = lead & 0x07;
    least = 0x10000;
  }
  else
  {
    ++i;
    return kReplacement;
  }
  if (i + static_cast<std::size_t>(extra) >= s.size()) // truncated at the end
  {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k)
  {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if (!IsContinuation(b))
    {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
  {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
  if (cp < 0x80)
    out += static_cast<char>(cp);
  else if (cp < 0x800)
  {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  else if (cp < 0x10000)
  {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  else
  {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

} // namespace

std::u16string Utf8ToUtf16(const std::string& utf8)
{
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();)
  {
    const char32_t cp = DecodeAt(utf8, i);
    if (cp < 0x10000)
      out += static_cast<char16_t>(cp);
    else
    {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16)
{
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i)
  {
    const char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF)
    {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                          (static_cast<char32_t>(utf16[i + 1]) - 0xDC00));
      ++i;
    }
    else if (u >= 0xD800 && u <= 0xDFFF)
      AppendUtf8(out, kReplacement); // a lone half of a pair
    else
      AppendUtf8(out, u);
  }
  return out;
}

char32_t FirstCodePoint(const std::string& utf8)
{
  std::size_t i = 0;
  return utf8.empty() ? 0 : DecodeAt(utf8, i);
}

} // namespace igraphics
