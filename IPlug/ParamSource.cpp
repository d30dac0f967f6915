#include "IPlug/ParamSource.h"

namespace iplug
{

const char* ParamSourceName(int source) noexcept
{
  static const char* const kNames[kNumParamSources] = {
      "Reset", "Host", "Preset", "UI", "Editor Delegate", "Recompile", "Unknown"};
  if (source < 0 || source >= kNumParamSources) return kNames[kUnknown];
  return kNames[source];
}

} // namespace iplug
