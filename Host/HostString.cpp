#include "Host/HostString.h"

#include "Host/HostServices.h"

namespace aaxhost
{

void HostString::Set(const char* text)
{
  mText = BoundedText(text, kMaxLength);
}

AAX_IString& HostString::AssignText(const char* text)
{
  Set(text);
  return *this;
}

AAX_IString& HostString::AssignString(const AAX_IString& other)
{
  if (&other != this) Set(other.Get());
  return *this;
}

} // namespace aaxhost
