#pragma once

#include "AAX_SDK/Interfaces/AAX_IViewContainer.h"
#include "Host/HostUnknown.h"

#include <mutex>
#include <string>
#include <vector>

namespace aaxhost
{

// The host's window for one editor: the native parent, the sizes the editor
// asked for, the modifier keys and the parameter clicks it passed to the host.
class HostViewContainer final : public HostUnknown<AAX_IViewContainerV2>
{
public:
  struct ParameterMouseEvent
  {
    enum class Kind
    {
      Down,
      Drag,
      Up,
    };
    Kind kind;
    std::string id;
    std::uint32_t modifiers;
  };

  HostViewContainer(std::shared_ptr<const InterfacePolicy> policy, void* nativeParent);

  std::int32_t Type() override;
  void* NativeParent() override;
  AAX_Result SetViewSize(const AAX_Point& size) override;
  AAX_Result Modifiers(std::uint32_t* mask) override;
  AAX_Result HandleParameterMouseDown(AAX_CParamID id, std::uint32_t modifiers) override;
  AAX_Result HandleParameterMouseDrag(AAX_CParamID id, std::uint32_t modifiers) override;
  AAX_Result HandleParameterMouseUp(AAX_CParamID id, std::uint32_t modifiers) override;

  // Host side. [main-thread]
  void SetModifiers(std::uint32_t mask);
  // What HandleParameterMouseDown answers: 0 when the host takes the click.
  void SetMouseDownAnswer(AAX_Result answer);
  std::vector<AAX_Point> SizeRequests() const;
  std::vector<ParameterMouseEvent> MouseEvents() const;

  // Sizes outside this range (points) are refused.
  static constexpr float kMaxViewSize = 16384.0f;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  AAX_Result Record(ParameterMouseEvent::Kind kind, AAX_CParamID id, std::uint32_t modifiers);

  void* const mNativeParent;
  mutable std::mutex mMutex;
  std::uint32_t mModifiers = 0;                  // under mMutex
  AAX_Result mMouseDownAnswer = 1;               // under mMutex; the editor keeps clicks
  std::vector<AAX_Point> mSizeRequests;          // under mMutex
  std::vector<ParameterMouseEvent> mMouseEvents; // under mMutex
};

} // namespace aaxhost
