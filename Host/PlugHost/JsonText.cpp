#include "Host/PlugHost/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace plughost
{

std::string JsonString(const std::string& text)
{
  std::string out = "\"";
  for (const char c : text)
  {
    const unsigned char u = static_cast<unsigned char>(c);
    switch (c)
    {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\b':
      out += "\\b";
      break;
    case '\f':
      out += "\\f";
      break;
    default:
      if (u < 0x20 || u == 0x7F)
      {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
        out += escaped;
      }
      else
        out += c;
    }
  }
  return out + "\"";
}

std::string JsonNumber(double value)
{
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

} // namespace plughost
