#include "IGraphics/ISwitchControlBase.h"

#include "IPlug/IParam.h"

namespace igraphics
{

ISwitchControlBase::ISwitchControlBase(const IRect& bounds, int paramIdx, ActionFunction action,
                                       int nStates)
    : IControl(bounds, paramIdx, std::move(action)), mNumStates(std::max(nStates, 1)),
      mDisabledState(static_cast<std::size_t>(std::max(nStates, 1)), false)
{
  mDblAsSingleClick = true;
}

ISwitchControlBase::~ISwitchControlBase() = default;

void ISwitchControlBase::OnInit()
{
  if (const iplug::IParam* param = GetParam(0))
  {
    mNumStates = std::max(static_cast<int>(param->Max() - param->Min()) + 1, 1);
    mDisabledState.resize(static_cast<std::size_t>(mNumStates), false);
  }
}

void ISwitchControlBase::OnMouseDown(float, float, const IMouseState&)
{
  const double value = GetValue(0);
  if (mNumStates == 2)
  {
    SetValue(value == 0.0 ? 1.0 : 0.0, 0);
  }
  else if (mNumStates < 2)
  {
    SetValue(0.0, 0);
  }
  else
  {
    // Wrap only when past 1 by more than rounding: three states must reach 1.
    const double next = value + 1.0 / (mNumStates - 1);
    SetValue(next > 1.0000000000000002 ? 0.0 : next, 0);
  }
  mMouseDown = true;
  SetDirty(true);
}

void ISwitchControlBase::OnMouseUp(float, float, const IMouseState&)
{
  mMouseDown = false;
  SetDirty(false);
}

bool ISwitchControlBase::GetStateDisabled(int stateIdx) const
{
  if (stateIdx < 0 || stateIdx >= static_cast<int>(mDisabledState.size())) return false;
  return mDisabledState[static_cast<std::size_t>(stateIdx)];
}

void ISwitchControlBase::SetStateDisabled(int stateIdx, bool disabled)
{
  if (stateIdx < 0 || stateIdx >= static_cast<int>(mDisabledState.size())) return;
  mDisabledState[static_cast<std::size_t>(stateIdx)] = disabled;
  SetDirty(false);
}

} // namespace igraphics
