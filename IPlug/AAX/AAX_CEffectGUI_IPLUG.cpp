#include "IPlug/AAX/AAX_CEffectGUI_IPLUG.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_GuardHostCall.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "IPlug/AAX/IPlugAAX.h"

#include <cstdlib>

namespace iplug
{

IACFUnknown* AAX_CEffectGUI_IPLUG::Create() noexcept
{
  // The host calls this factory: an exception must not reach it.
  try
  {
    return static_cast<AAX_IEffectGUI*>(new AAX_CEffectGUI_IPLUG);
  }
  catch (...)
  {
    return nullptr;
  }
}

void AAX_CEffectGUI_IPLUG::BindEffectParameters()
{
  // The host hands back the interface our own effect factory gave it; another
  // module's object is not one of ours and stays unbound.
  mPlug = dynamic_cast<IPlugAAX*>(EffectParameters());
}

void AAX_CEffectGUI_IPLUG::OpenViewContents()
{
  if (mPlug == nullptr || ViewContainer() == nullptr) return;
  void* parent = ViewContainer()->NativeParent();
  if (parent != nullptr && mPlug->HasEditor()) mEditorView = mPlug->OpenEditor(parent);
  if (mEditorView != nullptr) mPlug->SetViewContainer(ViewContainer());
}

void AAX_CEffectGUI_IPLUG::CloseViewContents()
{
  if (mPlug == nullptr) return;
  mPlug->SetViewContainer(nullptr);
  mPlug->CloseEditor();
  mEditorView = nullptr;
}

AAX_Result AAX_CEffectGUI_IPLUG::ViewSize(AAX_Point* size) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (size == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        if (mPlug != nullptr && mPlug->HasEditor())
        {
          size->horz = static_cast<float>(mPlug->GetEditorWidth());
          size->vert = static_cast<float>(mPlug->GetEditorHeight());
        }
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectGUI_IPLUG::SetParamHighlight(AAX_CParamID id, bool highlighted,
                                                   std::int32_t colour)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        // Highlights are drawn by the editor's view; without one there is nothing to mark.
        if (mEditorView == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        (void)id;
        (void)highlighted;
        (void)colour;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectGUI_IPLUG::ParamUpdatedInView(AAX_CParamID)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

} // namespace iplug
