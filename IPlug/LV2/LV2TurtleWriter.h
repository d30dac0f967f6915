#pragma once

#include "IPlug/LV2/LV2Bundle.h"

#include <span>
#include <string>

namespace iplug
{

class IPlugLV2;

// Writes a bundle's two Turtle files from the effect's own definitions: the
// manifest (one plug-in per variant, its binary and description file) and the
// description (identity, features, extension data and one port per entry of
// the variant's LV2PortLayout, each parameter with its range, default, unit,
// integer / toggled / enumeration properties and scale points). The build
// runs it through a small generator, so nothing in the bundle is copied by hand.
// [main-thread]
class LV2TurtleWriter
{
public:
  static std::string Manifest(const LV2Bundle& bundle);
  // `variants[i]` is an instance built for kLV2Variants[i].
  static std::string Description(const LV2Bundle& bundle,
                                 std::span<const IPlugLV2* const> variants);

  // A port symbol from a parameter name: lower-case letters, digits and '_',
  // never starting with a digit ("Output Gain" -> "output_gain").
  static std::string Symbol(const char* name);
  // A Turtle string literal, quotes included.
  static std::string Literal(const char* text);
  // A decimal literal that always reads back as a number (100 -> "100.0").
  static std::string Decimal(double value);
};

} // namespace iplug
