#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectDescriptor.h"
#include "AAX_SDK/Interfaces/AAX_Types.h"

#include <cstdint>

class AAX_VCollection;

namespace iplug
{

// What the module tells the host about its one effect; the constants of the
// build, shared with the effect's construction record where they overlap.
struct AAX_EffectDescription
{
  const char* effectNames = ""; // one name per line
  std::uint32_t category = 0;
  const char* channelIO = ""; // e.g. "1-1 2-2": one component per configuration
  AAX_CTypeID manufacturerID = 0;
  AAX_CTypeID productID = 0;
  // Type IDs by configuration; a configuration without one is not described.
  const AAX_CTypeID* nativeTypeIDs = nullptr;
  const AAX_CTypeID* audioSuiteTypeIDs = nullptr;
  int typeIDCount = 0;
  const char* midiNodeName = "";
  // The effect's MIDI needs (its construction record's flags): the render
  // path reads fields 4 and 5 as MIDI nodes exactly when these are set, so
  // they must be described as such.
  bool midiInput = false;
  bool midiOutput = false;
  const char* effectID = "";
  const char* manufacturerName = "";
  std::uint32_t packageVersion = 0;
  AAX_CreateObjectProc effectFactory = nullptr; // procedure 0
  AAX_CreateObjectProc viewFactory = nullptr;   // procedure 1
};

// Describes the effect into the host's collection: names, category, one
// component per channel configuration, both factories, the effect's
// identifier, the manufacturer and the package version. Host results are
// combined; a failure inside a component ends the description with the
// checked-result exception, which the module entry reports.
// [main-thread, once, while the module registers]
AAX_Result IPlugAAX_Describe(AAX_VCollection& collection, const AAX_EffectDescription& description);

} // namespace iplug
