#pragma once

#include "AAX_SDK/Interfaces/AAX_IComponentDescriptor.h"

#include <map>
#include <string>
#include <vector>

namespace aaxhost
{

// What a module registered for one render-context field.
struct FieldRecord
{
  enum class Kind
  {
    AudioIn,
    AudioOut,
    BufferLength,
    SampleRate,
    Clock,
    SideChainIn,
    Meters,
    AuxOutputStem,
    PrivateData,
    DataInPort,
    MIDINode,
    TemporaryData,
  };

  Kind kind = Kind::AudioIn;
  AAX_CFieldIndex field = -1;
  std::int64_t size = 0;       // private data, data port, temporary data
  std::int32_t options = 0;    // private data, data port
  std::int32_t midiKind = 0;   // MIDI node
  std::uint32_t mask = 0;      // MIDI node
  std::int32_t stemFormat = 0; // aux output stem
  std::string name;            // MIDI node, aux output stem
  std::vector<AAX_CTypeID> meterIds;
};

// A render procedure with the properties it was registered with.
struct ProcessProcRecord
{
  AAX_RenderProc proc = nullptr;
  bool offline = false;
  std::map<std::int32_t, AAX_CPropertyValue> properties;
};

} // namespace aaxhost
