#pragma once

namespace iplug
{

// The plug-in interface an instance was built for.
enum PluginApi
{
  kAPIVST2 = 0,
  kAPIVST3 = 1,
  kAPIAU = 2,
  kAPIAUv3 = 3,
  kAPIAAX = 4,
  kAPIAPP = 5,
  kAPIWAM = 6,
  kAPIWEB = 7,
  kAPILV2 = 8
};

// "VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "LV2"; "" for any other value.
const char* PluginApiName(int api) noexcept;

} // namespace iplug
