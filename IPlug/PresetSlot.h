#pragma once

#include "IPlug/ByteChunk.h"
#include "IPlug/IPlugUtilities.h"

namespace iplug
{

// One preset of the plug-in: a name and, once initialised, a complete state
// as SerializeState writes it.
struct PresetSlot
{
  static constexpr int kMaxNameBytes = 255;

  PresetSlot() = default;
  PresetSlot(const PresetSlot&) = delete;
  PresetSlot& operator=(const PresetSlot&) = delete;

  // Longer names are cut to kMaxNameBytes at a UTF-8 character boundary.
  void SetName(const char* text) { CopyTruncatedUtf8(name, sizeof name, text); }

  bool initialised = false;
  char name[kMaxNameBytes + 1] = "empty";
  ByteChunk chunk;
};

} // namespace iplug
