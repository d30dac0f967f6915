// The LV2 bundle's library: its one export hands hosts the stereo and mono
// descriptors of the effect.

#include "Examples/Brasmire/Brasmire.h"
#include "Examples/Brasmire/BrasmireLV2Bundle.h"
#include "IPlug/LV2/IPlugLV2Entry.h"

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(std::uint32_t index)
{
  return iplug::IPlugLV2Entry<brasmire::Brasmire>::Descriptor(index, brasmire::kLV2Bundle);
}
