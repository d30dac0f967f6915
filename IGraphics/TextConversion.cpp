#include "IGraphics/TextConversion.h"

#include "IGraphics/Drawing/Utf8Decoder.h"

namespace igraphics
{

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

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
  Utf8Decoder decoder(utf8.data(), utf8.data() + utf8.size());
  while (!decoder.AtEnd())
  {
    const char32_t cp = decoder.Next();
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
  Utf8Decoder decoder(utf8.data(), utf8.data() + utf8.size());
  return decoder.AtEnd() ? 0 : decoder.Next();
}

} // namespace igraphics
