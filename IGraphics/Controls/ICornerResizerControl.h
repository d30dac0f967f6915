#pragma once

#include "IGraphics/IControl.h"

namespace igraphics
{

// The handle in the editor's lower-right corner: dragging it scales or resizes
// the editor (the graphics core does the resizing, see IGraphics::OnMouseDrag);
// a double-click restores the size the editor had when the handle was
// attached, at scale 1. Its on-screen size stays `size` points at draw scale 1
// whatever the draw scale. [main-thread]
class ICornerResizerControl : public IControl
{
public:
  ICornerResizerControl(const IRect& bounds, float size, const IColor& colour,
                        const IColor& mouseOverColour, const IColor& dragColour);
  ~ICornerResizerControl() override;

  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnMouseDoubleClick(float x, float y, const IMouseState& mod) override;
  void OnMouseOver(float x, float y, const IMouseState& mod) override;
  void OnMouseOut() override;
  // Re-derives the bounds from the editor's size and draw scale.
  void OnScaleChanged() override;
  // Remembers the editor's size as the one a double-click restores.
  void OnInit() override;

  float GetSize() const { return mSize; }
  int GetInitialWidth() const { return mInitialWidth; }
  int GetInitialHeight() const { return mInitialHeight; }

private:
  float mSize;
  IColor mColour;
  IColor mMouseOverColour;
  IColor mDragColour;
  int mInitialWidth = 0;
  int mInitialHeight = 0;
  bool mCursorChanged = false; // the diagonal cursor is showing
  CursorShape mPreviousCursor = CursorShape::ARROW;
};

} // namespace igraphics
