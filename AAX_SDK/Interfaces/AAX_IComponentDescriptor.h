#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

struct AAX_RenderContext;

// The render callback: called on the audio thread with the contexts of every
// instance of one component, [first, end).
using AAX_RenderProc = void (*)(AAX_RenderContext* const* first, AAX_RenderContext* const* end);

enum AAX_EMIDINodeKind : std::int32_t
{
  AAX_eMIDINode_Input = 0,
  AAX_eMIDINode_Output = 1,
  AAX_eMIDINode_Global = 2,
  AAX_eMIDINode_Transport = 3,
};

// One processing component (a channel configuration) of an effect: the
// render-context fields it needs, its stems and its render procedure.
// Only during description.
// [main-thread, during description]
class AAX_IComponentDescriptor : public IACFUnknown
{
public:
  virtual AAX_Result Clear() = 0;
  virtual AAX_Result AddAudioIn(AAX_CFieldIndex field) = 0;
  virtual AAX_Result AddAudioOut(AAX_CFieldIndex field) = 0;
  virtual AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) = 0;
  virtual AAX_Result AddSampleRate(AAX_CFieldIndex field) = 0;
  virtual AAX_Result AddClock(AAX_CFieldIndex field) = 0;
  virtual AAX_Result AddSideChainIn(AAX_CFieldIndex field) = 0;
  virtual AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIds,
                               std::uint32_t count) = 0;
  virtual AAX_Result AddAuxOutputStem(AAX_CFieldIndex field, std::int32_t stemFormat,
                                      const char* name) = 0;
  // A block of size bytes that the module initialises through InitFieldData.
  virtual AAX_Result AddPrivateData(AAX_CFieldIndex field, std::int32_t size,
                                    std::int32_t options) = 0;
  // A port that receives what the controller's PostPacket sends to field.
  virtual AAX_Result AddDataInPort(AAX_CFieldIndex field, std::uint32_t size,
                                   std::int32_t options) = 0;
  virtual AAX_Result AddMIDINode(AAX_CFieldIndex field, std::int32_t kind, const char* name,
                                 std::uint32_t mask) = 0;
  // propertyMap: a property map object of this host.
  virtual AAX_Result AddProcessProc(AAX_RenderProc proc, IACFUnknown* propertyMap) = 0;

protected:
  ~AAX_IComponentDescriptor() = default;
};

class AAX_IComponentDescriptorV2 : public AAX_IComponentDescriptor
{
public:
  // Scratch memory of size bytes per instance, valid during one render call.
  virtual AAX_Result AddTemporaryData(AAX_CFieldIndex field, std::uint32_t size) = 0;

protected:
  ~AAX_IComponentDescriptorV2() = default;
};

class AAX_IComponentDescriptorV3 : public AAX_IComponentDescriptorV2
{
public:
  // A render procedure that the host calls outside real time (offline bounce).
  virtual AAX_Result AddOfflineProcessProc(AAX_RenderProc proc, IACFUnknown* propertyMap) = 0;

protected:
  ~AAX_IComponentDescriptorV3() = default;
};
