#pragma once

#include "IPlug/IPlugMidi.h"
#include "IPlug/IPlugQueue.h"
#include "IPlug/IPluginBase.h"
#include "IPlug/ParamChange.h"
#include "IPlug/Timer.h"

#include <cstdint>
#include <memory>

namespace igraphics
{
class IPlugAAXView_Interface;
}

namespace iplug
{

// The layer every host adapter builds on: host identification, the 20 ms
// timer that forwards values to the editor, the queues between the processor
// side and the editor side, and the editor-to-host path for gestures, resizes
// and MIDI. The adapter overrides the host hooks at the end of the class.
//
// Queues (each with one pushing and one popping thread, no locks):
//   parameters to editor:  pushed by the thread that delivers host parameter
//                          changes, popped by the timer (main thread);
//   MIDI to editor:        pushed by the audio thread, popped by the timer;
//   SysEx to editor:       popped by the timer; nothing pushes it yet;
//   MIDI / SysEx from editor: pushed by the editor thread, popped by the audio thread.
class IPlugAPIBase : public IPluginBase
{
public:
  static constexpr std::uint32_t kTimerPeriodMs = 20;
  static constexpr int kParamQueueSlots = 513;
  static constexpr int kMidiQueueSlots = 33;
  static constexpr int kSysExQueueSlots = 5;

  IPlugAPIBase(const PlugSetup& setup, PluginApi api);
  // Stops and deletes the timer before anything else goes.
  ~IPlugAPIBase() override;

  // Host identification [main-thread] ----------------------------------------

  // Records the host code of `name` and its packed version, then calls
  // OnHostKnown and HostSpecificSetup.
  void SetHost(const char* name, int version);

  // Timer [main-thread] ------------------------------------------------------

  // Starts the 20 ms timer on the calling thread; adapters call it once they
  // are fully constructed. Calling it again changes nothing.
  void StartTimer();
  // Stops and destroys the timer; later ticks never come. [main-thread]
  void StopTimer();
  // One tick: with an editor, drains the parameter, MIDI-to-editor and
  // SysEx-to-editor queues into the editor; then OnIdle. [main-thread]
  void OnTimerTick();

  // Host side ----------------------------------------------------------------

  // Whether a stored state equals the current one, parameter by parameter at
  // float32 precision (|a - b| < 1e-5). `data` holds `size` bytes of a state
  // as SerializeState writes it, from `startPos` on; a state too short to hold
  // every parameter does not match. [non-audio thread]
  virtual bool StateMatches(const std::uint8_t* data, int size, int startPos) const;
  virtual void HostSpecificSetup() {}
  // The open editor as the host's view sees it, or null while it is closed. [main-thread]
  virtual igraphics::IPlugAAXView_Interface* EditorView();
  // Called at the end of every timer tick. [main-thread]
  virtual void OnIdle() {}
  // Copies the host's name for the track the instance is on into `chunk`;
  // adapters that know it override this, here the chunk is left alone. [main-thread]
  virtual void TrackName(ByteChunk& chunk) { (void)chunk; }
  // Queues a value for the editor; a normalised value is first mapped to the
  // parameter's range and confined. Dropped when the queue is full or the
  // index is outside the parameters. [host parameter thread; one at a time]
  virtual void QueueParamForEditor(int paramIdx, double value, bool isNormalised);
  virtual void OnHostKnown() {}
  // Asks the host to resize the editor's view; false when it cannot. [main-thread]
  virtual bool RequestEditorSize(int width, int height);
  // The adapter's host calls for the editor's gestures. [main-thread]
  virtual void BeginHostParamChange(int paramIdx) { (void)paramIdx; }
  virtual void EndHostParamChange(int paramIdx) { (void)paramIdx; }
  virtual void SetHostParamValue(int paramIdx, double normalised);

  // Audio side [audio-thread] ------------------------------------------------

  // Pops the next MIDI message the editor sent; false when none waits.
  bool PopMidiFromEditor(MidiMessage& msg) noexcept { return mMidiFromEditor.Pop(msg); }
  // Pops the next SysEx message the editor sent into the staging record; `msg`
  // then points into it until the next call. False when none waits.
  bool PopSysExFromEditor(SysExMessage& msg) noexcept;
  // Queues a MIDI message for the editor; false (dropped) when full.
  bool QueueMidiForEditor(const MidiMessage& msg) noexcept { return mMidiToEditor.Push(msg); }

  // Editor to host (overrides of the delegate) [main-thread] -----------------

  void BeginParamGestureFromEditor(int paramIdx) override;
  void SendParamFromEditor(int paramIdx, double normalised) override;
  void EndParamGestureFromEditor(int paramIdx) override;
  void ReannounceParamsToHost() override;
  bool ResizeFromEditor(int width, int height, bool platformMustFollow) override;
  void SendMidiFromEditor(const MidiMessage& msg) override;
  void SendSysExFromEditor(const SysExMessage& msg) override;
  void SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data) override;
  // Dropped when the queue is full.
  void QueueMidiFromEditor(const MidiMessage& msg) override;
  // The bytes are copied; a message larger than 512 bytes, or with a negative
  // size, is dropped whole rather than cut into a corrupt one.
  void QueueSysExFromEditor(const SysExMessage& msg) override;

  // Waiting elements, for diagnostics. [any-thread]
  int ParamsWaitingForEditor() const { return mParamsToEditor.ElementsAvailable(); }
  int MidiWaitingFromEditor() const { return mMidiFromEditor.ElementsAvailable(); }
  int SysExWaitingFromEditor() const { return mSysExFromEditor.ElementsAvailable(); }

protected:
  // Pushes a SysEx message for the editor; false (dropped) when it does not fit. [audio-thread]
  bool QueueSysExForEditor(const SysExMessage& msg) noexcept;

private:
  std::unique_ptr<Timer> mTimer; // main thread
  IPlugQueue<ParamChange> mParamsToEditor{kParamQueueSlots};
  IPlugQueue<MidiMessage> mMidiFromEditor{kMidiQueueSlots};
  IPlugQueue<MidiMessage> mMidiToEditor{kMidiQueueSlots};
  IPlugQueue<QueuedSysExMessage> mSysExFromEditor{kSysExQueueSlots};
  IPlugQueue<QueuedSysExMessage> mSysExToEditor{kSysExQueueSlots};
  QueuedSysExMessage mSysExStaging;  // audio thread
  QueuedSysExMessage mSysExDelivery; // main thread: the record being delivered to the editor
};

} // namespace iplug
