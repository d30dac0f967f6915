#pragma once

#include "IPlug/IParam.h"

namespace igraphics
{

// Which typed characters a text entry lets through for the parameter it edits: numeric
// parameters take only what their value texts can be typed with. The same judgement serves
// the in-editor text entry and the platform's native one. [any-thread]
class TextEntryCharFilter
{
public:
  // Boolean, Integer and Enumerated take "+", "-" and the digits; Real also "."; Unset (a
  // parameter without a kind) takes everything.
  static bool Accepts(iplug::IParam::ParamKind kind, char32_t c);
  // The same for the edited parameter; without one (null) everything passes.
  static bool Accepts(const iplug::IParam* param, char32_t c);
};

} // namespace igraphics
