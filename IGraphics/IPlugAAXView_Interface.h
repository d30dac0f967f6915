#pragma once

class AAX_VViewContainer;

namespace igraphics
{

// The editor as the host's view sees it: the host may highlight the controls of
// a parameter, and hands over its view container while the view is attached.
// [main-thread]
class IPlugAAXView_Interface
{
public:
  IPlugAAXView_Interface() = default;
  IPlugAAXView_Interface(const IPlugAAXView_Interface&) = delete;
  IPlugAAXView_Interface& operator=(const IPlugAAXView_Interface&) = delete;

  // Colour index 0 red, 1 blue, 2 green, 3 yellow.
  virtual void SetParamHighlight(int paramIdx, bool highlighted, int colourIdx) = 0;

  // The host's view container, or null. Not owned.
  void SetViewContainer(AAX_VViewContainer* container) { mViewContainer = container; }
  AAX_VViewContainer* GetViewContainer() const { return mViewContainer; }

protected:
  ~IPlugAAXView_Interface() = default;

private:
  AAX_VViewContainer* mViewContainer = nullptr; // main thread, not owned
};

} // namespace igraphics
