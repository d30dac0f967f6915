#pragma once

#include "IPlug/IGEditorDelegate.h"

#include <string>
#include <vector>

namespace igraphics::test
{

// What reached the plug-in and host side from the editor, in order.
struct HostCall
{
  enum class Kind
  {
    BeginGesture, // BeginParamGestureFromEditor(paramIdx)
    SendParam,    // SendParamFromEditor(paramIdx, value)
    EndGesture,   // EndParamGestureFromEditor(paramIdx)
    Resize,       // ResizeFromEditor(width, height, platformMustFollow)
    RunLayout     // RunLayout(graphics)
  };

  HostCall(Kind k, int param = -1, double v = 0.0) : kind(k), paramIdx(param), value(v) {}

  Kind kind;
  int paramIdx = -1;
  double value = 0.0;
  int width = 0;
  int height = 0;
  bool flag = false;
};

// An editor delegate with real parameters that records every call the editor
// makes towards the host. Define parameters through GetParam(i)->Define...()
// before attaching controls. SendParamFromEditor also stores the value, as
// the real delegate does, so the parameter can be read back.
class FakeEditorDelegate : public iplug::IGEditorDelegate
{
public:
  explicit FakeEditorDelegate(int nParams = 0);

  void BeginParamGestureFromEditor(int paramIdx) override;
  void SendParamFromEditor(int paramIdx, double normalised) override;
  void EndParamGestureFromEditor(int paramIdx) override;
  // Records the request and answers `ResizeAnswer()` (false unless set).
  bool ResizeFromEditor(int width, int height, bool platformMustFollow) override;
  void RunLayout(igraphics::IGraphics* graphics) override;

  void SetResizeAnswer(bool answer) { mResizeAnswer = answer; }

  const std::vector<HostCall>& Calls() const { return mCalls; }
  // The calls of one kind, in order.
  std::vector<HostCall> CallsOf(HostCall::Kind kind) const;
  int Count(HostCall::Kind kind) const { return static_cast<int>(CallsOf(kind).size()); }
  void ClearCalls() { mCalls.clear(); }

private:
  std::vector<HostCall> mCalls;
  bool mResizeAnswer = false;
};

} // namespace igraphics::test
