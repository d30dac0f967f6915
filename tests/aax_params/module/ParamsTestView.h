#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectGUI.h"

// The parameter test module's view. It shows the host what the view base
// drove, through the only channel a view has to its host: the container.
// Opening asks for a size of (1, 1), every refreshed parameter is passed on as
// a parameter click, and closing asks for a size of (2, 2).
class ParamsTestView final : public AAX_CEffectGUI
{
public:
  static IACFUnknown* Create();

  AAX_Result ParamUpdatedInView(AAX_CParamID id) override;

private:
  ParamsTestView() = default;
  ~ParamsTestView() override = default;

  void BindEffectParameters() override { mBound = EffectParameters() != nullptr; }
  void OpenViewContents() override;
  void CloseViewContents() override;

  bool mBound = false;
};
