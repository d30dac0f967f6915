#include "FakeEditorDelegate.h"

namespace igraphics::test
{

FakeEditorDelegate::FakeEditorDelegate(int nParams) : IGEditorDelegate(nParams) {}

void FakeEditorDelegate::BeginParamGestureFromEditor(int paramIdx)
{
  mCalls.push_back({HostCall::Kind::BeginGesture, paramIdx});
}

void FakeEditorDelegate::SendParamFromEditor(int paramIdx, double normalised)
{
  mCalls.push_back({HostCall::Kind::SendParam, paramIdx, normalised});
  IGEditorDelegate::SendParamFromEditor(paramIdx, normalised);
}

void FakeEditorDelegate::EndParamGestureFromEditor(int paramIdx)
{
  mCalls.push_back({HostCall::Kind::EndGesture, paramIdx});
}

bool FakeEditorDelegate::ResizeFromEditor(int width, int height, bool platformMustFollow)
{
  HostCall call{HostCall::Kind::Resize};
  call.width = width;
  call.height = height;
  call.flag = platformMustFollow;
  mCalls.push_back(call);
  return mResizeAnswer;
}

void FakeEditorDelegate::RunLayout(igraphics::IGraphics* graphics)
{
  mCalls.push_back({HostCall::Kind::RunLayout});
  IGEditorDelegate::RunLayout(graphics);
}

std::vector<HostCall> FakeEditorDelegate::CallsOf(HostCall::Kind kind) const
{
  std::vector<HostCall> out;
  for (const HostCall& call : mCalls)
    if (call.kind == kind) out.push_back(call);
  return out;
}

} // namespace igraphics::test
