#pragma once

#include <cstdint>

// Property IDs of a component's (or effect's) property map, as module and host
// both read them. Values are four-character codes, stem formats or flags.
enum AAX_EProperty : std::int32_t
{
  AAX_eProperty_ManufacturerID = 11,
  AAX_eProperty_ProductID = 12,
  AAX_eProperty_PlugInID_Native = 13,
  AAX_eProperty_PlugInID_AudioSuite = 14,
  AAX_eProperty_InputStemFormat = 51,
  AAX_eProperty_OutputStemFormat = 52,
  AAX_eProperty_LatencyContribution = 56,
  AAX_eProperty_CanBypass = 60,
  AAX_eProperty_HybridOutputStemFormat = 90,
  AAX_eProperty_HybridInputStemFormat = 91,
  AAX_eProperty_SupportsSideChainInput = 116,
  AAX_eProperty_UsesHostGeneratedGUI = 151,
  // Set to 1 on every component this system describes; what the host makes
  // of it is the host's affair.
  AAX_eProperty_ComponentFlag300 = 300,
  AAX_eProperty_MultiMonoSupport = 304,
  AAX_eProperty_UsesTransport = 306,
};
