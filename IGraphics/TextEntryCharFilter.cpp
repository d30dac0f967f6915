#include "IGraphics/TextEntryCharFilter.h"

namespace igraphics
{

bool TextEntryCharFilter::Accepts(iplug::IParam::ParamKind kind, char32_t c)
{
  const bool sign = c == U'+' || c == U'-';
  const bool digit = c >= U'0' && c <= U'9';
  switch (kind)
  {
  case iplug::IParam::Boolean:
  case iplug::IParam::Integer:
  case iplug::IParam::Enumerated:
    return digit || sign;
  case iplug::IParam::Real:
    return digit || sign || c == U'.';
  case iplug::IParam::Unset:
    break;
  }
  return true;
}

bool TextEntryCharFilter::Accepts(const iplug::IParam* param, char32_t c)
{
  return param == nullptr || Accepts(param->Kind(), c);
}

} // namespace igraphics
