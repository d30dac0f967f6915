#pragma once

#include "IPlug/IEditorDelegate.h"

#include <functional>

namespace igraphics
{
class IGraphics;
}

namespace iplug
{

// The editor delegate of the graphics engine. This layer keeps the editor's
// size and draw scale across openings and puts them at the front of the
// plug-in state as a 12-byte record: int32 width, int32 height, float32
// scale, little-endian.
class IGEditorDelegate : public IEditorDelegate
{
public:
  explicit IGEditorDelegate(int nParams);
  ~IGEditorDelegate() override;

  // Appends width, height and scale: those of the open editor, or the saved
  // ones while it is closed. [thread of the state call]
  bool SerializeEditorState(ByteChunk& chunk) const override;
  // Reads the 12-byte record at `startPos`; returns the position after it, or
  // -1 when the chunk is too short, in which case nothing changes. While the
  // editor is closed a complete record becomes the saved size and scale.
  // [thread of the state call]
  int UnserializeEditorState(const ByteChunk& chunk, int startPos) override;

  using LayoutFunction = std::function<void(igraphics::IGraphics* graphics)>;
  // Installs the product's layout of the editor's controls. [main-thread]
  void SetLayoutFunction(LayoutFunction func) { mLayoutFunc = std::move(func); }
  // Runs the layout function on `graphics`, if one is set: when the editor
  // opens, and after a resize of an editor that lays out on resize. [main-thread]
  virtual void RunLayout(igraphics::IGraphics* graphics);

  // The size and scale the editor reopens at; 0 until first set. [main-thread]
  int GetSavedWidth() const { return mSavedWidth; }
  int GetSavedHeight() const { return mSavedHeight; }
  float GetSavedScale() const { return mSavedScale; }
  void SetSavedEditorState(int width, int height, float scale)
  {
    mSavedWidth = width;
    mSavedHeight = height;
    mSavedScale = scale;
  }

private:
  LayoutFunction mLayoutFunc; // main thread
  int mSavedWidth = 0;
  int mSavedHeight = 0;
  float mSavedScale = 0.f;
};

} // namespace iplug
