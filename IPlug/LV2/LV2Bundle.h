#pragma once

#include <string>

namespace iplug
{

// What a product tells the LV2 descriptor and the Turtle writer about itself
// beyond its PlugSetup and parameters. The bundle carries one plug-in per
// variant (see kLV2Variants), each at `uri` + the variant's suffix.
struct LV2Bundle
{
  const char* uri = "";               // the product's URI, without a variant suffix
  const char* binary = "";            // the shared library's file name in the bundle
  const char* description = "";       // the plug-in description's file name in the bundle
  const char* pluginClass = "Plugin"; // a class of the LV2 core vocabulary, e.g. "DistortionPlugin"
  int enabledParam = -1;              // the parameter that is the host's lv2:enabled port; -1 none
};

// The variants of a bundle, in descriptor index order.
struct LV2Variant
{
  int channels;
  const char* uriSuffix;
  const char* nameSuffix;
};

inline constexpr LV2Variant kLV2Variants[] = {{2, ":stereo", ""}, {1, ":mono", " Mono"}};
inline constexpr int kLV2VariantCount = 2;

inline std::string LV2VariantUri(const LV2Bundle& bundle, const LV2Variant& variant)
{
  return std::string(bundle.uri) + variant.uriSuffix;
}

} // namespace iplug
