#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// What the host calls to make objects of a described effect: procedure 0
// creates the effect-parameters object, procedure 1 the view object. The
// answer carries no reference yet (count 0); the host takes the first.
using AAX_CreateObjectProc = IACFUnknown* (*)();

enum AAX_EProcID : std::int32_t
{
  AAX_eProcID_EffectParameters = 0,
  AAX_eProcID_EffectGUI = 1,
};

// One effect of the package. Only during description.
// [main-thread, during description]
class AAX_IEffectDescriptor : public IACFUnknown
{
public:
  // componentDescriptor: a component descriptor object of this host. [main-thread]
  virtual AAX_Result AddComponent(IACFUnknown* componentDescriptor) = 0;
  virtual AAX_Result AddName(const char* name) = 0;
  virtual AAX_Result AddCategory(std::uint32_t category) = 0;
  virtual AAX_Result AddProcPtr(void* proc, std::int32_t procId) = 0;
  virtual AAX_Result SetProperties(IACFUnknown* propertyMap) = 0;

protected:
  ~AAX_IEffectDescriptor() = default;
};

class AAX_IEffectDescriptorV2 : public AAX_IEffectDescriptor
{
public:
  // A resource of the effect (for example a page-table file) by kind and path.
  virtual AAX_Result AddResourceInfo(std::int32_t kind, const char* path) = 0;

protected:
  ~AAX_IEffectDescriptorV2() = default;
};
