#pragma once

#include "IPlug/IEditorDelegate.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace igraphics
{
class IGraphics;
}

namespace iplug
{

// The editor delegate of the graphics engine: it creates the editor's
// IGraphics through the installed graphics factory when the host opens the
// view, lets the product's layout function fill it, forwards values, messages,
// MIDI and keys to its controls, and keeps the editor's size and draw scale
// across openings. Those go at the front of the plug-in state as a 12-byte
// record: int32 width, int32 height, float32 scale, little-endian.
//
// Threads. The editor lives on the thread that opened it (the editor thread);
// only that thread touches the IGraphics and its controls. State calls may
// arrive on other host threads while it is open: a restored size and the
// restored values are then left for ApplyPendingEditorChanges, which the
// plug-in's timer runs on the editor thread.
class IGEditorDelegate : public IEditorDelegate
{
public:
  // Makes the editor's graphics object (its platform's, with a drawing back
  // end), or null when there is none. [main-thread]
  using GraphicsFactory = std::function<std::unique_ptr<igraphics::IGraphics>()>;
  using LayoutFunction = std::function<void(igraphics::IGraphics* graphics)>;

  explicit IGEditorDelegate(int nParams);
  // Deletes an editor still open without calling back into the plug-in.
  ~IGEditorDelegate() override;

  // Editor lifecycle [main-thread] -------------------------------------------

  // Creates the editor at the saved size and scale (if any) and asks its
  // platform layer for a window in `parent`. Returns the native view, or null
  // when there is no factory, no graphics object or no window; then no editor
  // stays open.
  void* OpenEditor(void* parent) override;
  // Remembers the editor's size and scale, ends any drag cut short (the host
  // gets its End), closes the window and deletes the editor. Re-entry while
  // closing does nothing.
  void CloseEditor() override;
  // What a platform layer calls once its window exists (and the screen scale
  // is applied): runs the layout, marks every control dirty and sends every
  // parameter's value to the controls.
  void FinishEditorOpening(igraphics::IGraphics& graphics);

  // Installed by the effect's constructor. [main-thread]
  void SetGraphicsFactory(GraphicsFactory factory) { mGraphicsFactory = std::move(factory); }
  void SetLayoutFunction(LayoutFunction func) { mLayoutFunc = std::move(func); }
  // Runs the graphics factory; null without one. [main-thread]
  virtual std::unique_ptr<igraphics::IGraphics> MakeGraphics();
  // Runs the layout function on `graphics`, if one is set: when the editor
  // opens, and after a resize of an editor that lays out on resize. [main-thread]
  virtual void RunLayout(igraphics::IGraphics* graphics);
  // The open editor, or null. [main-thread]
  igraphics::IGraphics* GetGraphics() const { return mGraphics.get(); }

  // Applies what state calls on other threads left for the editor: the
  // restored size and scale, then every parameter's value. The plug-in's
  // timer calls it each tick; it does nothing off the editor thread. [main-thread]
  void ApplyPendingEditorChanges();

  // Plug-in to editor [main-thread; see the class comment for other threads]

  // Every listed control slot linked to the parameter gets the value (made
  // normalised first), then OnParamChangeInEditor. Called on another thread
  // while the editor is open, the controls are left to the next tick.
  void DeliverParamToEditor(int paramIdx, double value, bool isNormalised) override;
  void DeliverValueToControl(int ctrlTag, double normalised) override;
  void DeliverMessageToControl(int ctrlTag, int msgTag, int dataSize, const void* data) override;
  void DeliverMidiToEditor(const MidiMessage& msg) override;
  // The host's keys, at the pointer's position; false without an editor.
  bool OnKeyDown(const igraphics::IKeyPress& key) override;
  bool OnKeyUp(const igraphics::IKeyPress& key) override;
  void ApplyScreenScale(float scale) override;

  // Editor state [any-thread except audio] -----------------------------------

  // Appends width, height and scale: those of the open editor, or the saved
  // ones while it is closed (0, 0, 0 until the editor first closes).
  bool SerializeEditorState(ByteChunk& chunk) const override;
  // Reads the 12-byte record at `startPos`; returns the position after it, or
  // -1 when the chunk is too short, in which case nothing changes. A record
  // with a size that is not positive, or a scale that is not a finite positive
  // number, says nothing about the editor and changes nothing either. A usable
  // one becomes the saved size while the editor is closed, resizes the open
  // editor on the editor thread, and waits for the next tick on other threads.
  int UnserializeEditorState(const ByteChunk& chunk, int startPos) override;

  // The size and scale the editor reopens at; 0 until first set. [any-thread except audio]
  int GetSavedWidth() const;
  int GetSavedHeight() const;
  float GetSavedScale() const;
  void SetSavedEditorState(int width, int height, float scale);

  // Whether the calling thread is the open editor's. [any-thread]
  bool OnEditorThread() const;

protected:
  // The editor's width, height and draw scale.
  struct EditorSize
  {
    int width = 0;
    int height = 0;
    float scale = 0.f;
  };

private:
  // The open editor's size and scale as other threads see it. [editor thread]
  void PublishEditorSize();
  // A host key to the editor at the pointer's position.
  bool ForwardKey(const igraphics::IKeyPress& key, bool isUp);

  GraphicsFactory mGraphicsFactory;                // main thread
  LayoutFunction mLayoutFunc;                      // main thread
  std::unique_ptr<igraphics::IGraphics> mGraphics; // editor thread only
  bool mClosing = false;                           // editor thread

  // Written by the editor thread under mStateMutex; read by any thread.
  std::atomic<bool> mEditorOpen{false};
  std::atomic<std::thread::id> mEditorThread{};

  mutable std::mutex mStateMutex; // guards the fields below; never taken on the audio thread
  EditorSize mSaved;              // the size the editor reopens at
  EditorSize mOpenSize;           // the open editor's, as last published
  EditorSize mPendingSize;        // restored by another thread while open
  bool mHasPendingSize = false;
  bool mPendingValues = false; // values restored by another thread while open
};

} // namespace iplug
