#include "IPlug/IGEditorDelegate.h"

#include "IGraphics/IGraphics.h"

#include <cmath>
#include <cstdint>

namespace iplug
{

namespace
{

// A record that can describe an editor: anything else is not applied.
bool UsableEditorSize(int width, int height, float scale)
{
  return width > 0 && height > 0 && std::isfinite(scale) && scale > 0.f;
}

} // namespace

IGEditorDelegate::IGEditorDelegate(int nParams) : IEditorDelegate(nParams) {}

IGEditorDelegate::~IGEditorDelegate()
{
  // The derived plug-in is gone: the graphics core must not end gestures
  // through it. Its destructor drops them.
  mGraphics.reset();
}

// Editor lifecycle ---------------------------------------------------------------------

std::unique_ptr<igraphics::IGraphics> IGEditorDelegate::MakeGraphics()
{
  return mGraphicsFactory ? mGraphicsFactory() : nullptr;
}

void IGEditorDelegate::RunLayout(igraphics::IGraphics* graphics)
{
  if (mLayoutFunc && graphics != nullptr) mLayoutFunc(graphics);
}

bool IGEditorDelegate::OnEditorThread() const
{
  return mEditorOpen.load(std::memory_order_acquire) &&
         mEditorThread.load(std::memory_order_acquire) == std::this_thread::get_id();
}

void IGEditorDelegate::PublishEditorSize()
{
  if (!mGraphics) return;
  const EditorSize now{mGraphics->Width(), mGraphics->Height(), mGraphics->GetDrawScale()};
  std::lock_guard lock(mStateMutex);
  mOpenSize = now;
}

void* IGEditorDelegate::OpenEditor(void* parent)
{
  const bool created = !mGraphics;
  if (created)
  {
    std::unique_ptr<igraphics::IGraphics> graphics = MakeGraphics();
    if (!graphics) return nullptr;
    EditorSize saved;
    {
      std::lock_guard lock(mStateMutex);
      saved = mSaved;
      mHasPendingSize = false;
      mPendingValues = false;
      mEditorThread.store(std::this_thread::get_id(), std::memory_order_release);
      mEditorOpen.store(true, std::memory_order_release);
    }
    mGraphics = std::move(graphics);
    if (saved.width != 0 && saved.height != 0 && saved.scale != 0.f)
      mGraphics->Resize(saved.width, saved.height, saved.scale, true);
    PublishEditorSize();
  }

  void* view = mGraphics->CreateEditorWindow(parent);
  // Without a window there is no editor to keep, and nothing to remember of it.
  if (view == nullptr && created)
  {
    {
      std::lock_guard lock(mStateMutex);
      mEditorOpen.store(false, std::memory_order_release);
      mEditorThread.store(std::thread::id(), std::memory_order_release);
    }
    mGraphics.reset();
  }
  return view;
}

void IGEditorDelegate::FinishEditorOpening(igraphics::IGraphics& graphics)
{
  RunLayout(&graphics);
  graphics.MarkAllControlsDirty();
  OnEditorOpened();
}

void IGEditorDelegate::CloseEditor()
{
  if (mClosing) return;
  mClosing = true;
  OnEditorClosed();
  if (mGraphics)
  {
    // A drag cut short by the closing still ends towards the host.
    mGraphics->ReleaseAllCaptures();
    {
      std::lock_guard lock(mStateMutex);
      // A size restored on another thread since the last tick is the newest.
      mSaved = mHasPendingSize
                   ? mPendingSize
                   : EditorSize{mGraphics->Width(), mGraphics->Height(), mGraphics->GetDrawScale()};
      mHasPendingSize = false;
      mPendingValues = false;
      mEditorOpen.store(false, std::memory_order_release);
      mEditorThread.store(std::thread::id(), std::memory_order_release);
    }
    mGraphics->DestroyEditorWindow();
    mGraphics.reset();
  }
  mClosing = false;
}

void IGEditorDelegate::ApplyPendingEditorChanges()
{
  if (!OnEditorThread() || !mGraphics) return;
  EditorSize size;
  bool hasSize = false;
  bool values = false;
  {
    std::lock_guard lock(mStateMutex);
    size = mPendingSize;
    hasSize = mHasPendingSize;
    values = mPendingValues;
    mHasPendingSize = false;
    mPendingValues = false;
  }
  if (hasSize) mGraphics->Resize(size.width, size.height, size.scale, true);
  // The current values, not the ones of the moment they were restored: a
  // later host change must not be overwritten by an older one.
  if (values)
    for (int i = 0; i < NParams(); ++i)
      DeliverParamToEditor(i, GetParam(i)->Normalised(), true);
  PublishEditorSize();
}

// Plug-in to editor ---------------------------------------------------------------------

void IGEditorDelegate::DeliverParamToEditor(int paramIdx, double value, bool isNormalised)
{
  if (!OnEditorThread())
  {
    std::lock_guard lock(mStateMutex);
    if (mEditorOpen.load(std::memory_order_acquire))
    {
      // The controls and OnParamChangeInEditor follow at the next tick.
      mPendingValues = true;
      return;
    }
  }
  else if (const IParam* param = GetParam(paramIdx))
  {
    if (!isNormalised) value = param->NormalOfValue(value);
    mGraphics->ForEachListedControl(
        [&](igraphics::IControl* control)
        {
          for (int v = 0; v < control->NVals(); ++v)
            if (control->GetParamIndex(v) == paramIdx) control->UpdateValueFromParam(value, v);
        });
  }
  OnParamChangeInEditor(paramIdx, kDelegate);
}

void IGEditorDelegate::DeliverValueToControl(int ctrlTag, double normalised)
{
  if (!OnEditorThread()) return;
  if (igraphics::IControl* control = mGraphics->GetControlWithTag(ctrlTag))
    control->UpdateValueFromParam(normalised, 0);
}

void IGEditorDelegate::DeliverMessageToControl(int ctrlTag, int msgTag, int dataSize,
                                               const void* data)
{
  if (!OnEditorThread()) return;
  if (igraphics::IControl* control = mGraphics->GetControlWithTag(ctrlTag))
    control->OnControlMessage(msgTag, dataSize, data);
}

void IGEditorDelegate::DeliverMidiToEditor(const MidiMessage& msg)
{
  if (OnEditorThread())
    mGraphics->ForEachControl(
        [&](igraphics::IControl* control)
        {
          if (control->GetWantsMidi()) control->OnMidiMessage(msg);
        });
  OnMidiInEditor(msg);
}

bool IGEditorDelegate::ForwardKey(const igraphics::IKeyPress& key, bool isUp)
{
  if (!OnEditorThread()) return false;
  float x = 0.f;
  float y = 0.f;
  mGraphics->CursorPositionInPoints(x, y);
  return isUp ? mGraphics->OnKeyUp(x, y, key) : mGraphics->OnKeyDown(x, y, key);
}

bool IGEditorDelegate::OnKeyDown(const igraphics::IKeyPress& key)
{
  return ForwardKey(key, false);
}

bool IGEditorDelegate::OnKeyUp(const igraphics::IKeyPress& key)
{
  return ForwardKey(key, true);
}

void IGEditorDelegate::ApplyScreenScale(float scale)
{
  if (OnEditorThread()) mGraphics->ApplyScreenScale(scale);
}

// Editor state ----------------------------------------------------------------------------

bool IGEditorDelegate::SerializeEditorState(ByteChunk& chunk) const
{
  EditorSize size;
  if (OnEditorThread())
  {
    size = {mGraphics->Width(), mGraphics->Height(), mGraphics->GetDrawScale()};
  }
  else
  {
    std::lock_guard lock(mStateMutex);
    if (!mEditorOpen.load(std::memory_order_acquire))
      size = mSaved;
    else
      size = mHasPendingSize ? mPendingSize : mOpenSize;
  }
  const std::int32_t width = size.width;
  const std::int32_t height = size.height;
  const float scale = size.scale;
  const bool ok = chunk.Put(width) >= 0 && chunk.Put(height) >= 0 && chunk.Put(scale) >= 0;
  return ok && chunk.Size() > 0;
}

int IGEditorDelegate::UnserializeEditorState(const ByteChunk& chunk, int startPos)
{
  std::int32_t width = 0;
  std::int32_t height = 0;
  float scale = 0.f;
  int pos = chunk.Get(width, startPos);
  pos = chunk.Get(height, pos);
  pos = chunk.Get(scale, pos);
  // A truncated record says nothing about the editor: keep what was saved
  // rather than forgetting the user's size.
  if (pos < 0) return -1;
  if (!UsableEditorSize(width, height, scale)) return pos;

  if (OnEditorThread())
  {
    mGraphics->Resize(width, height, scale, true);
    PublishEditorSize();
    return pos;
  }
  std::lock_guard lock(mStateMutex);
  if (mEditorOpen.load(std::memory_order_acquire))
  {
    mPendingSize = {width, height, scale};
    mHasPendingSize = true;
  }
  else
  {
    mSaved = {width, height, scale};
  }
  return pos;
}

int IGEditorDelegate::GetSavedWidth() const
{
  std::lock_guard lock(mStateMutex);
  return mSaved.width;
}

int IGEditorDelegate::GetSavedHeight() const
{
  std::lock_guard lock(mStateMutex);
  return mSaved.height;
}

float IGEditorDelegate::GetSavedScale() const
{
  std::lock_guard lock(mStateMutex);
  return mSaved.scale;
}

void IGEditorDelegate::SetSavedEditorState(int width, int height, float scale)
{
  std::lock_guard lock(mStateMutex);
  mSaved = {width, height, scale};
}

} // namespace iplug
