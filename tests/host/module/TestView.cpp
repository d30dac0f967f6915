#include "tests/host/module/TestView.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <vector>

namespace
{
// Containers the leak-view fault keeps referenced. The host sees the extra
// reference when the view closes; they are let go when the module unloads,
// so nothing is lost to the process.
struct KeptContainers
{
  ~KeptContainers()
  {
    for (IACFUnknown* container : list)
      container->Release();
  }
  std::vector<IACFUnknown*> list;
} gKeptContainers;
} // namespace

TestView::TestView() : mFault(TestEffect::FaultFromEnvironment()) {}

IACFUnknown* TestView::Create()
{
  return static_cast<AAX_IEffectGUI*>(new TestView);
}

ACFRESULT TestView::InternalQueryInterface(const ACF_ID& iid, void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  if (iid == AAX_IID_EffectGUI) return Provide(static_cast<AAX_IEffectGUI*>(this), out);
  return CACFUnknown::InternalQueryInterface(iid, out);
}

AAX_Result TestView::ConnectHost(IACFUnknown* hostContext)
{
  mController = std::make_unique<AAX_VController>(hostContext);
  if (hostContext == nullptr || !mController->IsValid()) return AAX_ERROR_NOT_INITIALIZED;
  mEffect = AAX_QueryInterface<AAX_IEffectParameters>(hostContext, AAX_IID_EffectParameters);
  return AAX_SUCCESS;
}

AAX_Result TestView::DisconnectHost()
{
  if (mContainer) AttachViewContainer(nullptr);
  mEffect.Reset();
  mController.reset();
  return AAX_SUCCESS;
}

AAX_Result TestView::AttachViewContainer(IACFUnknown* viewContainer)
{
  if (viewContainer == nullptr)
  {
    mEditor.reset();
    mWindowEditor.reset();
    // A drag in progress ends when the view closes, unless the fault forgets it.
    if (mDragging && mEffect && mFault != TestEffect::Fault::OpenGesture)
      mEffect->ReleaseParam("1");
    mDragging = false;
    mContainer.reset();
    return AAX_SUCCESS;
  }
  mContainer = std::make_unique<AAX_VViewContainer>(viewContainer);
  if (mFault == TestEffect::Fault::LeakView)
  {
    viewContainer->AddRef();
    gKeptContainers.list.push_back(viewContainer);
  }
  if (mFault == TestEffect::Fault::OpenGesture && mEffect)
  {
    // As if the pointer went down on Gain as the view opened.
    mDragging = mEffect->TouchParam("1") == AAX_SUCCESS;
  }
  if (mContainer->NativeParent() != nullptr)
  {
    mContainer->SetViewSize(AAX_Point{kHeight, kWidth});
    // The first parameter's click goes to the host (automation menus).
    AAX_CParamID first = "1";
    mContainer->HandleParameterMouseDown(first, 0);
  }
  mEditor =
      TestSurfaceEditor::Open(mContainer->NativeParent(), mEffect.Get(), mContainer.get(), mFault);
  if (!mEditor)
    mWindowEditor =
        TestWindowEditor::Open(mContainer->NativeParent(), mEffect.Get(), mContainer.get(), mFault);
  return AAX_SUCCESS;
}

AAX_Result TestView::ViewSize(AAX_Point* size) const
{
  if (size == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  size->horz = mEditor ? mEditor->Width() : kWidth;
  size->vert = mEditor ? mEditor->Height() : kHeight;
  return AAX_SUCCESS;
}

AAX_Result TestView::CustomViewData(AAX_CTypeID, void** out) const
{
  if (out) *out = nullptr;
  return AAX_ERROR_NULL_OBJECT;
}

AAX_Result TestView::SetParamHighlight(AAX_CParamID id, bool, std::int32_t)
{
  if (!mEffect) return AAX_ERROR_INVALID_PARAMETER_ID;
  std::int32_t index = -1;
  return mEffect->ParamIndexOf(id, &index);
}
