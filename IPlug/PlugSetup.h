#pragma once

#include "IPlug/IPlugStructs.h"

#include <cstdint>
#include <string>

namespace iplug
{

// A four-character code ('Brm1') as the 32-bit number hosts use: first character
// in the most significant byte.
constexpr std::uint32_t FourCharCode(const char (&code)[5])
{
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[3]));
}

// The construction record an effect hands to the framework: what the instance is
// (names, identifiers, version), its channel layouts, its MIDI and state
// capabilities, and its editor's size and limits. The effect fills it; the
// framework only reads it while constructing the instance.
struct PlugSetup
{
  std::int32_t paramCount = 0;
  std::int32_t presetCount = 1;
  // Channel layouts, for example "1-1 2-2" (see IPlugProcessor::ParseChannelIO).
  std::string channelIO;
  std::string pluginName;
  std::string productName;
  std::string makerName;
  // Major number in bits 16..31, minor in 8..15, bug-fix in 0..7.
  std::int32_t versionCode = 0;
  std::uint32_t pluginId = 0;
  std::uint32_t makerId = 0;
  std::int32_t latencySamples = 0;
  bool midiIn = false;
  bool midiOut = false;
  bool mpe = false;
  // The state travels as one opaque chunk.
  bool stateChunks = false;
  PlugKind plugKind = PlugKind::Effect;
  bool hasEditor = false;
  std::int32_t editorWidth = 0;
  std::int32_t editorHeight = 0;
  std::int32_t editorMinWidth = 0;
  std::int32_t editorMaxWidth = 0;
  std::int32_t editorMinHeight = 0;
  std::int32_t editorMaxHeight = 0;
  bool hostResizesEditor = false;
  std::string bundleId;
};

} // namespace iplug
