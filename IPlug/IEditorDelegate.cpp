#include "IPlug/IEditorDelegate.h"

#include "IPlug/IPlugLogger.h"

#include <algorithm>

namespace iplug
{

IEditorDelegate::IEditorDelegate(int nParams)
{
  const int count = nParams > 0 ? nParams : 0;
  mParams.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    mParams.push_back(std::make_unique<IParam>());
}

IEditorDelegate::~IEditorDelegate() = default;

IParam* IEditorDelegate::GetParam(int paramIdx)
{
  if (paramIdx < 0 || paramIdx >= NParams()) return nullptr;
  return mParams[static_cast<std::size_t>(paramIdx)].get();
}

const IParam* IEditorDelegate::GetParam(int paramIdx) const
{
  if (paramIdx < 0 || paramIdx >= NParams()) return nullptr;
  return mParams[static_cast<std::size_t>(paramIdx)].get();
}

void* IEditorDelegate::OpenEditor(void* parent)
{
  (void)parent;
  OnEditorOpened();
  return nullptr;
}

void IEditorDelegate::CloseEditor()
{
  OnEditorClosed();
}

void IEditorDelegate::OnEditorOpened()
{
  for (int i = 0; i < NParams(); ++i)
    DeliverParamToEditor(i, GetParam(i)->Normalised(), true);
}

void IEditorDelegate::OnParamChange(int paramIdx, ParamSource source, int sampleOffset)
{
  (void)sampleOffset;
  LogTrace("iplug::IEditorDelegate::OnParamChange", __LINE__, "idx:%i src:%s\n", paramIdx,
           ParamSourceName(source));
  ApplyParamChange(paramIdx);
}

void IEditorDelegate::AnnounceAllParams(ParamSource source)
{
  for (int i = 0; i < NParams(); ++i)
  {
    OnParamChange(i, source, -1);
    OnParamChangeInEditor(i, source);
  }
}

bool IEditorDelegate::OnMessage(int msgTag, int ctrlTag, int dataSize, const void* data)
{
  (void)msgTag;
  (void)ctrlTag;
  (void)dataSize;
  (void)data;
  return false;
}

void IEditorDelegate::AfterStateRestored()
{
  for (int i = 0; i < NParams(); ++i)
    DeliverParamToEditor(i, GetParam(i)->Normalised(), true);
}

bool IEditorDelegate::OnKeyDown(const igraphics::IKeyPress& key)
{
  (void)key;
  return false;
}

bool IEditorDelegate::OnKeyUp(const igraphics::IKeyPress& key)
{
  (void)key;
  return false;
}

void IEditorDelegate::DeliverValueToControl(int ctrlTag, double normalised)
{
  (void)ctrlTag;
  (void)normalised;
}

void IEditorDelegate::DeliverMessageToControl(int ctrlTag, int msgTag, int dataSize,
                                              const void* data)
{
  OnMessage(msgTag, ctrlTag, dataSize, data);
}

void IEditorDelegate::DeliverMessageToEditor(int msgTag, int dataSize, const void* data)
{
  OnMessage(msgTag, -1, dataSize, data);
}

void IEditorDelegate::DeliverMidiToEditor(const MidiMessage& msg)
{
  OnMidiInEditor(msg);
}

void IEditorDelegate::DeliverSysExToEditor(const SysExMessage& msg)
{
  OnSysExInEditor(msg);
}

void IEditorDelegate::DeliverParamToEditor(int paramIdx, double value, bool isNormalised)
{
  (void)value;
  (void)isNormalised;
  OnParamChangeInEditor(paramIdx, kDelegate);
}

void IEditorDelegate::SendParamFromEditor(int paramIdx, double normalised)
{
  IParam* param = GetParam(paramIdx);
  if (param == nullptr) return;
  param->SetFromNormal(normalised);
  OnParamChangeInEditor(paramIdx, kUI);
}

bool IEditorDelegate::ResizeFromEditor(int width, int height, bool platformMustFollow)
{
  (void)width;
  (void)height;
  (void)platformMustFollow;
  return false;
}

void IEditorDelegate::SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data)
{
  (void)msgTag;
  (void)ctrlTag;
  (void)dataSize;
  (void)data;
}

bool IEditorDelegate::SerializeEditorState(ByteChunk& chunk) const
{
  (void)chunk;
  return true;
}

int IEditorDelegate::UnserializeEditorState(const ByteChunk& chunk, int startPos)
{
  (void)chunk;
  return startPos;
}

void IEditorDelegate::SetSizeConstraints(int minWidth, int maxWidth, int minHeight, int maxHeight)
{
  mMinWidth = std::min(minWidth, maxWidth);
  mMaxWidth = std::max(minWidth, maxWidth);
  mMinHeight = std::min(minHeight, maxHeight);
  mMaxHeight = std::max(minHeight, maxHeight);
}

} // namespace iplug
