#include "IPlug/AAX/AAX_CEffectGUI_IPLUG.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_GuardHostCall.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "IGraphics/IPlugAAXView_Interface.h"
#include "IPlug/AAX/IPlugAAX.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace iplug
{

namespace
{

// The parameter index of a host identifier ("1" is index 0); -1 for anything
// that is not a whole decimal number in range, the Master Bypass's empty
// identifier included.
int ParamIndexOfId(AAX_CParamID id)
{
  if (id == nullptr || *id == '\0') return -1;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(id, &end, 10);
  if (errno != 0 || end == id || *end != '\0' || value < 1 || value > INT_MAX) return -1;
  return static_cast<int>(value - 1);
}

} // namespace

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

AAX_CEffectGUI_IPLUG::~AAX_CEffectGUI_IPLUG()
{
  // Still attached means still connected: the instance is alive.
  if (ViewContainer() != nullptr) CloseViewContents();
}

AAX_Result AAX_CEffectGUI_IPLUG::DisconnectHost()
{
  const AAX_Result result = AAX_CEffectGUI::DisconnectHost();
  // The reference that kept the instance alive is gone.
  mPlug = nullptr;
  return result;
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
  if (parent != nullptr && mPlug->HasEditor())
  {
    mEditorView = mPlug->OpenEditor(parent);
    mOpened = true;
  }
  if (igraphics::IPlugAAXView_Interface* view = mPlug->EditorView())
  {
    view->SetViewContainer(ViewContainer());
    mPlug->SetViewContainer(ViewContainer());
  }
}

void AAX_CEffectGUI_IPLUG::CloseViewContents()
{
  if (mPlug == nullptr) return;
  if (igraphics::IPlugAAXView_Interface* view = mPlug->EditorView())
    view->SetViewContainer(nullptr);
  mPlug->SetViewContainer(nullptr);
  // Only the view that opened the editor closes it.
  if (mOpened) mPlug->CloseEditor();
  mOpened = false;
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
        igraphics::IPlugAAXView_Interface* view = mPlug != nullptr ? mPlug->EditorView() : nullptr;
        // Highlights are drawn by the editor's controls; without an editor there is nothing
        // to mark.
        if (view == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        view->SetParamHighlight(ParamIndexOfId(id), highlighted, colour);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectGUI_IPLUG::ParamUpdatedInView(AAX_CParamID)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

} // namespace iplug
