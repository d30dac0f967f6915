#include "IGraphics/IButtonControlBase.h"

namespace igraphics
{

IButtonControlBase::IButtonControlBase(const IRect& bounds, ActionFunction action)
    : IControl(bounds, -1, std::move(action))
{
  mDblAsSingleClick = true;
}

IButtonControlBase::~IButtonControlBase() = default;

void IButtonControlBase::OnMouseDown(float, float, const IMouseState&)
{
  SetValue(1.0, 0);
  SetDirty(true);
}

void IButtonControlBase::OnAnimationEnd()
{
  SetValue(0.0, 0);
  IControl::OnAnimationEnd();
}

} // namespace igraphics
