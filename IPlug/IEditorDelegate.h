#pragma once

#include "IPlug/ByteChunk.h"
#include "IPlug/IParam.h"
#include "IPlug/IPlugMidi.h"
#include "IPlug/ParamSource.h"

#include <memory>
#include <vector>

namespace igraphics
{
struct IKeyPress;
}

namespace iplug
{

// The plug-in's face towards its editor, whatever draws it: parameter values,
// messages, MIDI and gestures pass through here in both directions. It owns
// the parameter list (index = parameter index everywhere) and the editor's
// size and size limits. Every parameter change, from any source, ends in
// OnParamChange, which calls the effect's ApplyParamChange.
//
// Threads: the parameter list is built during construction and never changes
// afterwards; parameter values are atomic. Everything else runs on the thread
// that owns the editor unless its comment says otherwise.
class IEditorDelegate
{
public:
  explicit IEditorDelegate(int nParams);
  virtual ~IEditorDelegate();
  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;

  // Parameters [any-thread; the list is fixed after construction] ----------

  int NParams() const { return static_cast<int>(mParams.size()); }
  // Null for an index outside the list.
  IParam* GetParam(int paramIdx);
  const IParam* GetParam(int paramIdx) const;

  // Editor lifecycle [main-thread] -----------------------------------------

  // Opens the editor in `parent`; returns the native view, or null.
  virtual void* OpenEditor(void* parent);
  virtual void CloseEditor();
  // Sends every parameter's normalised value to the editor.
  virtual void OnEditorOpened();
  virtual void OnEditorClosed() {}

  // Parameter changes [thread of the caller that set the value] ------------

  // The effect's per-parameter handler; reads the parameter's value itself.
  virtual void ApplyParamChange(int paramIdx) { (void)paramIdx; }
  virtual void OnParamChange(int paramIdx, ParamSource source, int sampleOffset = -1);
  virtual void OnParamChangeInEditor(int paramIdx, ParamSource source)
  {
    (void)paramIdx;
    (void)source;
  }
  // OnParamChange then OnParamChangeInEditor for every parameter in index order.
  virtual void AnnounceAllParams(ParamSource source);

  // Editor-side notifications [main-thread] ---------------------------------

  virtual void OnMidiInEditor(const MidiMessage& msg) { (void)msg; }
  virtual void OnSysExInEditor(const SysExMessage& msg) { (void)msg; }
  virtual bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void* data);
  // After a state or preset was restored: like OnEditorOpened.
  virtual void AfterStateRestored();
  virtual bool OnKeyDown(const igraphics::IKeyPress& key);
  virtual bool OnKeyUp(const igraphics::IKeyPress& key);

  // Plug-in to editor [main-thread] -----------------------------------------

  virtual void DeliverValueToControl(int ctrlTag, double normalised);
  virtual void DeliverMessageToControl(int ctrlTag, int msgTag, int dataSize, const void* data);
  virtual void DeliverMessageToEditor(int msgTag, int dataSize, const void* data);
  virtual void DeliverMidiToEditor(const MidiMessage& msg);
  virtual void DeliverSysExToEditor(const SysExMessage& msg);
  virtual void DeliverParamToEditor(int paramIdx, double value, bool isNormalised);

  // Editor to plug-in and host [main-thread] --------------------------------

  virtual void ReannounceParamsToHost() {}
  virtual void BeginParamGestureFromEditor(int paramIdx) = 0;
  // Stores the confined value of `normalised` atomically, then tells the editor side.
  virtual void SendParamFromEditor(int paramIdx, double normalised);
  virtual void EndParamGestureFromEditor(int paramIdx) = 0;
  virtual bool ResizeFromEditor(int width, int height, bool platformMustFollow);
  virtual void SendMidiFromEditor(const MidiMessage& msg) { (void)msg; }
  virtual void SendSysExFromEditor(const SysExMessage& msg) { (void)msg; }
  virtual void SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data);
  virtual void QueueMidiFromEditor(const MidiMessage& msg) { (void)msg; }
  virtual void QueueSysExFromEditor(const SysExMessage& msg) { (void)msg; }

  // Editor part of the plug-in state [thread of the state call] -------------

  virtual bool SerializeEditorState(ByteChunk& chunk) const;
  // Returns the position after the editor record, or -1.
  virtual int UnserializeEditorState(const ByteChunk& chunk, int startPos);
  virtual void ApplyScreenScale(float scale) { (void)scale; }

  // Editor size in points at draw scale 1, and its limits -------------------

  int GetEditorWidth() const { return mEditorWidth; }
  int GetEditorHeight() const { return mEditorHeight; }
  int GetMinWidth() const { return mMinWidth; }
  int GetMaxWidth() const { return mMaxWidth; }
  int GetMinHeight() const { return mMinHeight; }
  int GetMaxHeight() const { return mMaxHeight; }
  void SetEditorSize(int width, int height)
  {
    mEditorWidth = width;
    mEditorHeight = height;
  }
  // Each pair is put in order, so a record that gives it swapped still works.
  void SetSizeConstraints(int minWidth, int maxWidth, int minHeight, int maxHeight);

private:
  std::vector<std::unique_ptr<IParam>> mParams; // fixed after construction
  int mEditorWidth = 0;
  int mEditorHeight = 0;
  int mMinWidth = 0;
  int mMaxWidth = 0;
  int mMinHeight = 0;
  int mMaxHeight = 0;
};

} // namespace iplug
