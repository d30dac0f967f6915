#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectGUI.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"
#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"

#include <memory>

class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

// Base of the host's view object. Connecting binds it to its effect's
// parameters; attaching a view container opens the contents and refreshes
// every parameter in view, removing it closes them.
// [main-thread]
class AAX_CEffectGUI : public AAX_CACFObject<AAX_IEffectGUI>
{
public:
  AAX_Result ConnectHost(IACFUnknown* hostContext) override;
  AAX_Result DisconnectHost() override;
  AAX_Result NotificationReceived(AAX_CTypeID type, const void* data, std::uint32_t size) override;
  AAX_Result AttachViewContainer(IACFUnknown* viewContainer) override;
  AAX_Result ViewSize(AAX_Point* size) const override;
  AAX_Result Draw(const AAX_Point* topLeft, const AAX_Point* bottomRight) override;
  AAX_Result TimerWakeup() override;
  AAX_Result ParamUpdatedInView(AAX_CParamID id) override;
  AAX_Result CustomViewData(AAX_CTypeID key, void** out) const override;
  AAX_Result SetParamHighlight(AAX_CParamID id, bool highlighted, std::int32_t colour) override;

protected:
  AAX_CEffectGUI();
  ~AAX_CEffectGUI() override;

  ACFRESULT InternalQueryInterface(const ACF_ID& iid, void** out) override;

  // Hooks for the concrete view, in the order the host drives them.
  virtual void BindEffectParameters() {}
  virtual void OpenViewContents() {}
  virtual void CloseViewContents() {}
  // Tells ParamUpdatedInView about every parameter of the bound effect.
  virtual void RefreshViewParams();

  AAX_IEffectParameters* EffectParameters() const noexcept { return mEffect.Get(); }
  AAX_VViewContainer* ViewContainer() const noexcept { return mContainer.get(); }
  AAX_VController* Controller() const noexcept { return mController.get(); }
  AAX_VTransport* Transport() const noexcept { return mTransport.get(); }

private:
  void ReleaseHost();

  std::unique_ptr<AAX_VController> mController;
  std::unique_ptr<AAX_VTransport> mTransport;
  AAX_InterfaceRef<AAX_IEffectParameters> mEffect;
  std::unique_ptr<AAX_VViewContainer> mContainer;
};
