#include "IPlug/PluginApi.h"

namespace iplug
{

const char* PluginApiName(int api) noexcept
{
  static const char* const kNames[] = {"VST2", "VST3", "AU",  "AUv3", "AAX",
                                       "APP",  "WAM",  "WEB", "LV2"};
  if (api < 0 || api >= static_cast<int>(sizeof kNames / sizeof kNames[0])) return "";
  return kNames[api];
}

} // namespace iplug
