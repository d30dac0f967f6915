#pragma once

#include "IGraphics/IControl.h"

#include <vector>

namespace igraphics
{

// A control clicked through `nStates` evenly spaced values, wrapping to 0
// after 1. Linked to a parameter, it takes its number of states from the
// parameter's range when attached. Double-clicks count as clicks. [main-thread]
class ISwitchControlBase : public IControl
{
public:
  ISwitchControlBase(const IRect& bounds, int paramIdx = -1, ActionFunction action = nullptr,
                     int nStates = 2);
  ~ISwitchControlBase() override;

  void OnInit() override;
  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnMouseUp(float x, float y, const IMouseState& mod) override;

  int GetNumStates() const { return mNumStates; }
  bool GetStateDisabled(int stateIdx) const;
  void SetStateDisabled(int stateIdx, bool disabled);
  bool GetMouseDown() const { return mMouseDown; }

protected:
  int mNumStates;
  std::vector<bool> mDisabledState;
  bool mMouseDown = false;
};

} // namespace igraphics
