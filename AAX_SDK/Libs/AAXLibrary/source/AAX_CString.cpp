#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"

#include <cstring>

void AAX_CString::Set(const char* text)
{
  // Texts may come from a host: never read past the bound looking for the end.
  if (text == nullptr)
  {
    mText.clear();
    return;
  }
  try
  {
    mText.assign(text, ::strnlen(text, kMaxForeignLength));
  }
  catch (...)
  {
    mText.clear();
  }
}

AAX_IString& AAX_CString::AssignText(const char* text)
{
  Set(text);
  return *this;
}

AAX_IString& AAX_CString::AssignString(const AAX_IString& other)
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
  try
  {
    mText.assign(text, ::strnlen(text, length));
  }
  catch (...)
  {
    mText.clear();
  }
  return *this;
}
