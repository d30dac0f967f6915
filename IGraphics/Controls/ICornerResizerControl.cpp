#include "IGraphics/Controls/ICornerResizerControl.h"

#include "IGraphics/IGraphics.h"

namespace igraphics
{

ICornerResizerControl::ICornerResizerControl(const IRect& bounds, float size, const IColor& colour,
                                             const IColor& mouseOverColour,
                                             const IColor& dragColour)
    : IControl(bounds), mSize(size), mColour(colour), mMouseOverColour(mouseOverColour),
      mDragColour(dragColour)
{
}

ICornerResizerControl::~ICornerResizerControl() = default;

void ICornerResizerControl::OnInit()
{
  if (mGraphics == nullptr) return;
  mInitialWidth = mGraphics->Width();
  mInitialHeight = mGraphics->Height();
}

void ICornerResizerControl::OnScaleChanged()
{
  if (mGraphics == nullptr) return;
  const float w = static_cast<float>(mGraphics->Width());
  const float h = static_cast<float>(mGraphics->Height());
  const float side = mSize / mGraphics->GetDrawScale();
  SetTargetAndDrawRECTs(IRect(w - side, h - side, w, h));
}

void ICornerResizerControl::OnMouseDown(float, float, const IMouseState&)
{
  if (mGraphics != nullptr) mGraphics->StartResizeDrag();
  SetDirty(false);
}

void ICornerResizerControl::OnMouseDoubleClick(float, float, const IMouseState&)
{
  if (mGraphics != nullptr) mGraphics->Resize(mInitialWidth, mInitialHeight, 1.f, true);
}

void ICornerResizerControl::OnMouseOver(float x, float y, const IMouseState& mod)
{
  if (!mCursorChanged && mGraphics != nullptr)
  {
    mPreviousCursor = mGraphics->SetCursorShape(CursorShape::SIZENWSE);
    mCursorChanged = true;
  }
  IControl::OnMouseOver(x, y, mod);
}

void ICornerResizerControl::OnMouseOut()
{
  if (mCursorChanged && mGraphics != nullptr) mGraphics->SetCursorShape(mPreviousCursor);
  mCursorChanged = false;
  IControl::OnMouseOut();
}

void ICornerResizerControl::Draw(IGraphics& g)
{
  const IColor& colour = (mGraphics != nullptr && mGraphics->IsResizingInProcess()) ? mDragColour
                         : mMouseIsOver ? mMouseOverColour
                                        : mColour;
  g.FillTriangle(colour, mRECT.L, mRECT.B, mRECT.R, mRECT.T, mRECT.R, mRECT.B, &mBlend);
}

} // namespace igraphics
