#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"

#include <cstring>

void AAX_CString::Set(const char* text)
{
  // Texts may come from a host: never read past the bound looking for the end.
  if (text == nullptr)
    mText.clear();
  else
    mText.assign(text, ::strnlen(text, kMaxForeignLength));
}

AAX_IString& AAX_CString::operator=(const char* text)
{
  Set(text);
  return *this;
}

AAX_IString& AAX_CString::operator=(const AAX_IString& other)
{
  if (&other == this) return *this;
  // The other text may come from a host: trust neither its terminator nor its
  // length beyond the bound.
  const char* text = other.Get();
  if (text == nullptr)
  {
    mText.clear();
    return *this;
  }
  std::size_t length = other.Length();
  if (length > kMaxForeignLength) length = kMaxForeignLength;
  mText.assign(text, ::strnlen(text, length));
  return *this;
}
