#pragma once

// Plain data shared by the module and any host. Everything that crosses the
// module boundary is one of these, a pointer to an abstract interface, or a
// result code: no standard-library types, no exceptions, no ownership transfer
// except through reference counting.

#include <cstdint>

using AAX_Result = std::int32_t;
using ACFRESULT = std::int32_t;

// Parameter identifiers travel as zero-terminated UTF-8 texts.
using AAX_CParamID = const char*;

// Four-character codes such as chunk identifiers and property values.
using AAX_CTypeID = std::uint32_t;
using AAX_CPropertyValue = std::int32_t;
using AAX_CFieldIndex = std::int32_t;

// Results of the object model's own calls.
inline constexpr ACFRESULT ACF_OK = 0;
inline constexpr ACFRESULT ACF_E_NOINTERFACE = static_cast<ACFRESULT>(0x80000004u);
inline constexpr ACFRESULT ACF_E_UNEXPECTED = static_cast<ACFRESULT>(0x8000FFFFu);

// A 128-bit interface or class identifier in the usual registry layout.
struct ACF_ID
{
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];

  friend constexpr bool operator==(const ACF_ID& a, const ACF_ID& b)
  {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
    for (int i = 0; i < 8; ++i)
      if (a.data4[i] != b.data4[i]) return false;
    return true;
  }
};
static_assert(sizeof(ACF_ID) == 16);

namespace aax_detail
{
consteval std::uint32_t HexDigit(char c)
{
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  throw "identifier texts hold only hexadecimal digits and dashes";
}

consteval std::uint32_t HexField(const char* text, int first, int digits)
{
  std::uint32_t value = 0;
  for (int i = 0; i < digits; ++i)
    value = (value << 4) | HexDigit(text[first + i]);
  return value;
}
} // namespace aax_detail

// Builds an identifier from its registry text "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX"
// at compile time, so the identifiers below read exactly as they are published.
consteval ACF_ID ACF_MakeID(const char (&text)[37])
{
  if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
    throw "identifier text needs dashes at 8, 13, 18 and 23";
  ACF_ID id{};
  id.data1 = aax_detail::HexField(text, 0, 8);
  id.data2 = static_cast<std::uint16_t>(aax_detail::HexField(text, 9, 4));
  id.data3 = static_cast<std::uint16_t>(aax_detail::HexField(text, 14, 4));
  id.data4[0] = static_cast<std::uint8_t>(aax_detail::HexField(text, 19, 2));
  id.data4[1] = static_cast<std::uint8_t>(aax_detail::HexField(text, 21, 2));
  for (int i = 0; i < 6; ++i)
    id.data4[2 + i] = static_cast<std::uint8_t>(aax_detail::HexField(text, 24 + 2 * i, 2));
  return id;
}

// A view size: two floats, vertical first.
struct AAX_Point
{
  float vert;
  float horz;
};

// Builds a four-character code from its text, first character in the high byte.
constexpr AAX_CTypeID AAX_FourCC(const char (&text)[5])
{
  return (static_cast<AAX_CTypeID>(static_cast<unsigned char>(text[0])) << 24) |
         (static_cast<AAX_CTypeID>(static_cast<unsigned char>(text[1])) << 16) |
         (static_cast<AAX_CTypeID>(static_cast<unsigned char>(text[2])) << 8) |
         static_cast<AAX_CTypeID>(static_cast<unsigned char>(text[3]));
}
