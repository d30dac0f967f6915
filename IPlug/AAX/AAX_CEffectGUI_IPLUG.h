#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectGUI.h"

namespace iplug
{

class IPlugAAX;

// The host's view object of an IPlugAAX instance. Attaching a view container
// opens the plug-in's editor in the container's native parent; removing it
// closes the editor. The view-size query answers the editor's size.
// [main-thread]
class AAX_CEffectGUI_IPLUG final : public AAX_CEffectGUI
{
public:
  // The view factory registered with the description.
  static IACFUnknown* Create() noexcept;

  AAX_Result ViewSize(AAX_Point* size) const override;
  AAX_Result SetParamHighlight(AAX_CParamID id, bool highlighted, std::int32_t colour) override;
  AAX_Result ParamUpdatedInView(AAX_CParamID id) override;

private:
  AAX_CEffectGUI_IPLUG() = default;
  ~AAX_CEffectGUI_IPLUG() override = default;

  void BindEffectParameters() override;
  void OpenViewContents() override;
  void CloseViewContents() override;

  IPlugAAX* mPlug = nullptr;   // the bound instance; it outlives its views
  void* mEditorView = nullptr; // the editor's native view while open
};

} // namespace iplug
