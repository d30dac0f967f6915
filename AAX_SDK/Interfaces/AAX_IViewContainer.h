#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The host's window for the editor of one view object.
class AAX_IViewContainer : public IACFUnknown
{
public:
  enum EType : std::int32_t
  {
    eType_None = 0,
    eType_Window = 1, // native parent window (HWND on Windows)
  };

  virtual std::int32_t Type() = 0;
  // The native parent window, or null. [main-thread]
  virtual void* NativeParent() = 0;
  // Asks the host to resize the container (vertical first). [main-thread]
  virtual AAX_Result SetViewSize(const AAX_Point& size) = 0;
  // Current modifier-key mask of the host. [main-thread]
  virtual AAX_Result Modifiers(std::uint32_t* mask) = 0;
  // 0 means the host took the click (for example to show automation). [main-thread]
  virtual AAX_Result HandleParameterMouseDown(AAX_CParamID id, std::uint32_t modifiers) = 0;

protected:
  ~AAX_IViewContainer() = default;
};

class AAX_IViewContainerV2 : public AAX_IViewContainer
{
public:
  virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID id, std::uint32_t modifiers) = 0;
  virtual AAX_Result HandleParameterMouseUp(AAX_CParamID id, std::uint32_t modifiers) = 0;

protected:
  ~AAX_IViewContainerV2() = default;
};
