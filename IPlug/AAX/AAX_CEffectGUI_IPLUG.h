#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectGUI.h"

namespace iplug
{

class IPlugAAX;

// The host's view object of an IPlugAAX instance. Attaching a view container
// opens the plug-in's editor in the container's native parent and hands the
// editor the container (parameter clicks, size requests); removing the
// container, disconnecting or releasing the view closes the editor, so no
// editor keeps a container the host has taken back. The view-size query
// answers the editor's size; host highlights reach the editor's controls.
// [main-thread]
class AAX_CEffectGUI_IPLUG final : public AAX_CEffectGUI
{
public:
  // The view factory registered with the description.
  static IACFUnknown* Create() noexcept;

  // Closes the editor first, then forgets the instance.
  AAX_Result DisconnectHost() override;
  AAX_Result ViewSize(AAX_Point* size) const override;
  AAX_Result SetParamHighlight(AAX_CParamID id, bool highlighted, std::int32_t colour) override;
  AAX_Result ParamUpdatedInView(AAX_CParamID id) override;

private:
  AAX_CEffectGUI_IPLUG() = default;
  // Closes an editor still open: the base can no longer reach CloseViewContents.
  ~AAX_CEffectGUI_IPLUG() override;

  void BindEffectParameters() override;
  void OpenViewContents() override;
  void CloseViewContents() override;

  IPlugAAX* mPlug = nullptr;   // the bound instance; the view holds it while connected
  void* mEditorView = nullptr; // the editor's native view while open
  bool mOpened = false;        // this view opened the plug-in's editor
};

} // namespace iplug
