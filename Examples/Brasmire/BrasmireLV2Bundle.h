#pragma once

#include "Examples/Brasmire/BrasmireParams.h"
#include "IPlug/LV2/LV2Bundle.h"

namespace brasmire
{

// The LV2 bundle Brasmire.lv2: the plug-ins urn:quillmarsh:brasmire:stereo and
// :mono, the library Brasmire.so and the description Brasmire.ttl. The engage
// switch (Bypass: 1 runs the effect) is the host's lv2:enabled port.
inline constexpr iplug::LV2Bundle kLV2Bundle{"urn:quillmarsh:brasmire", "Brasmire.so",
                                             "Brasmire.ttl", "DistortionPlugin", ParamBypass};

} // namespace brasmire
