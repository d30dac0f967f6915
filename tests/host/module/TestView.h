#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectGUI.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"
#include "tests/host/module/TestEffect.h"
#include "tests/host/module/TestSurfaceEditor.h"
#include "tests/host/module/TestWindowEditor.h"

#include <memory>

// The test module's view object: connects to its effect through the host
// context and, once a container is attached, asks it for its size and reports
// a parameter click; on a host surface or in a host's window it shows its
// editor there.
class TestView final : public AAX_CACFObject<AAX_IEffectGUI>
{
public:
  static IACFUnknown* Create();

  static constexpr float kWidth = 300.0f;
  static constexpr float kHeight = 200.0f;

  AAX_Result ConnectHost(IACFUnknown* hostContext) override;
  AAX_Result DisconnectHost() override;
  AAX_Result NotificationReceived(AAX_CTypeID, const void*, std::uint32_t) override { return 0; }
  AAX_Result AttachViewContainer(IACFUnknown* viewContainer) override;
  AAX_Result ViewSize(AAX_Point* size) const override;
  AAX_Result Draw(const AAX_Point*, const AAX_Point*) override { return 0; }
  AAX_Result TimerWakeup() override { return 0; }
  AAX_Result ParamUpdatedInView(AAX_CParamID) override { return 0; }
  AAX_Result CustomViewData(AAX_CTypeID, void** out) const override;
  AAX_Result SetParamHighlight(AAX_CParamID id, bool highlighted, std::int32_t colour) override;

protected:
  ACFRESULT InternalQueryInterface(const ACF_ID& iid, void** out) override;

private:
  TestView();
  ~TestView() override = default;

  std::unique_ptr<AAX_VController> mController;
  AAX_InterfaceRef<AAX_IEffectParameters> mEffect;
  std::unique_ptr<AAX_VViewContainer> mContainer;
  std::unique_ptr<TestSurfaceEditor> mEditor;      // while attached to a host surface
  std::unique_ptr<TestWindowEditor> mWindowEditor; // while attached to a host's window
  const TestEffect::Fault mFault;                  // chosen when the view is made
  bool mDragging = false;
};
