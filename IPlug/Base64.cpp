#include "IPlug/Base64.h"

#include <cstring>

namespace iplug
{

namespace
{
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c)
{
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}
} // namespace

std::string Base64Encode(const std::uint8_t* data, int size)
{
  std::string text;
  if (data == nullptr || size <= 0) return text;
  text.reserve(static_cast<std::size_t>((size + 2) / 3) * 4);
  for (int i = 0; i < size; i += 3)
  {
    const int n = size - i < 3 ? size - i : 3;
    std::uint32_t triple = static_cast<std::uint32_t>(data[i]) << 16;
    if (n > 1) triple |= static_cast<std::uint32_t>(data[i + 1]) << 8;
    if (n > 2) triple |= data[i + 2];
    text += kAlphabet[(triple >> 18) & 63];
    text += kAlphabet[(triple >> 12) & 63];
    text += n > 1 ? kAlphabet[(triple >> 6) & 63] : '=';
    text += n > 2 ? kAlphabet[triple & 63] : '=';
  }
  return text;
}

int Base64Decode(const char* text, std::uint8_t* out, int size) noexcept
{
  if (out == nullptr || size <= 0) return 0;
  std::memset(out, 0, static_cast<std::size_t>(size));
  if (text == nullptr) return 0;
  int written = 0;
  std::uint32_t bits = 0;
  int bitCount = 0;
  for (const char* c = text; written < size; ++c)
  {
    const int sextet = SextetOf(*c);
    if (sextet < 0) break;
    bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
    bitCount += 6;
    if (bitCount >= 8)
    {
      bitCount -= 8;
      out[written++] = static_cast<std::uint8_t>((bits >> bitCount) & 0xFF);
    }
  }
  return written;
}

} // namespace iplug
