#pragma once

#include "IGraphics/TextConversion.h"

#include <array>
#include <cstddef>
#include <string>

namespace igraphics
{

// A UTF-8 text converted to UTF-16 in a buffer of `Capacity` units, terminator included, as
// the system calls with fixed text fields take it. A text that does not fit becomes the empty
// text as a whole: a cut path or address would name something else. [any-thread]
template <std::size_t Capacity>
class FixedUtf16Text
{
  static_assert(Capacity > 0, "room for the terminator at least");

public:
  // Null reads as the empty text.
  explicit FixedUtf16Text(const char* utf8)
  {
    const std::u16string wide = Utf8ToUtf16(utf8 ? utf8 : "");
    if (wide.size() < Capacity)
    {
      wide.copy(mUnits.data(), wide.size());
      mLength = wide.size();
    }
    else
      mFitted = false;
    mUnits[mLength] = u'\0';
  }

  // False when the text was too long and was replaced by the empty text.
  bool Fitted() const { return mFitted; }
  std::size_t Length() const { return mLength; }
  bool Empty() const { return mLength == 0; }
  const char16_t* Data() const { return mUnits.data(); }
  // The whole buffer, for calls that write back into it (a file dialog's name field).
  char16_t* Buffer() { return mUnits.data(); }
  static constexpr std::size_t CapacityUnits() { return Capacity; }

#ifdef _WIN32
  // Windows' wchar_t is the same 16-bit unit.
  const wchar_t* Wide() const
  {
    return reinterpret_cast<const wchar_t*>(mUnits.data());
  }
  wchar_t* Wide()
  {
    return reinterpret_cast<wchar_t*>(mUnits.data());
  }
#endif

private:
  std::array<char16_t, Capacity> mUnits{};
  std::size_t mLength = 0;
  bool mFitted = true;
};

// The UTF-8 of a UTF-16 text read up to its terminator but from at most `maxUnits` units (a
// buffer the system filled need not be terminated). [any-thread]
inline std::string Utf16UnitsToUtf8(const char16_t* units, std::size_t maxUnits)
{
  if (units == nullptr) return {};
  std::size_t n = 0;
  while (n < maxUnits && units[n] != u'\0')
    ++n;
  return Utf16ToUtf8(std::u16string(units, n));
}

} // namespace igraphics
