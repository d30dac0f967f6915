#include "tests/aax_params/module/ParamsTestView.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"

IACFUnknown* ParamsTestView::Create()
{
  return static_cast<AAX_IEffectGUI*>(new ParamsTestView);
}

AAX_Result ParamsTestView::ParamUpdatedInView(AAX_CParamID id)
{
  if (ViewContainer()) ViewContainer()->HandleParameterMouseDown(id, mBound ? 1u : 0u);
  return AAX_SUCCESS;
}

void ParamsTestView::OpenViewContents()
{
  if (ViewContainer()) ViewContainer()->SetViewSize(AAX_Point{1.0f, 1.0f});
}

void ParamsTestView::CloseViewContents()
{
  if (ViewContainer()) ViewContainer()->SetViewSize(AAX_Point{2.0f, 2.0f});
}
