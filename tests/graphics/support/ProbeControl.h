#pragma once

#include "IGraphics/IControl.h"
#include "IGraphics/IGraphics.h"

#include <string>
#include <vector>

namespace igraphics::test
{

// A control that fills its bounds with one colour when drawn and writes down
// the events it receives ("down", "up", "drag", "dblclick", "wheel", "over",
// "out", "keydown", "keyup", "drop:<text>", "touchcancel", "init", "resize",
// "scale", "added", "textentry:<text>", "contextmenu:<idx>", "message:<tag>",
// "midi"), after running the base behaviour.
class ProbeControl : public IControl
{
public:
  ProbeControl(const IRect& bounds, const IColor& colour, int paramIdx = -1,
               ActionFunction action = nullptr)
      : IControl(bounds, paramIdx, std::move(action)), mColour(colour)
  {
  }

  void Draw(IGraphics& g) override { g.FillRect(mColour, mRECT, &mBlend); }

  void OnMouseDown(float x, float y, const IMouseState& mod) override
  {
    Note("down");
    IControl::OnMouseDown(x, y, mod);
  }
  void OnMouseUp(float x, float y, const IMouseState& mod) override
  {
    Note("up");
    IControl::OnMouseUp(x, y, mod);
  }
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod) override
  {
    Note("drag");
    IControl::OnMouseDrag(x, y, dX, dY, mod);
  }
  void OnMouseDoubleClick(float x, float y, const IMouseState& mod) override
  {
    Note("dblclick");
    IControl::OnMouseDoubleClick(x, y, mod);
  }
  void OnMouseWheel(float x, float y, const IMouseState& mod, float delta) override
  {
    Note("wheel");
    IControl::OnMouseWheel(x, y, mod, delta);
  }
  void OnMouseOver(float x, float y, const IMouseState& mod) override
  {
    Note("over");
    IControl::OnMouseOver(x, y, mod);
  }
  void OnMouseOut() override
  {
    Note("out");
    IControl::OnMouseOut();
  }
  bool OnKeyDown(float, float, const IKeyPress&) override
  {
    Note("keydown");
    return mHandlesKeys;
  }
  bool OnKeyUp(float, float, const IKeyPress&) override
  {
    Note("keyup");
    return mHandlesKeys;
  }
  void OnDrop(const char* text) override { Note(std::string("drop:") + text); }
  void OnTouchCancel(float, float, const IMouseState&) override { Note("touchcancel"); }
  void OnInit() override { Note("init"); }
  void OnResize() override { Note("resize"); }
  void OnScaleChanged() override { Note("scale"); }
  void OnAdded() override { Note("added"); }
  void OnTextEntryDone(const char* text, int) override { Note(std::string("textentry:") + text); }
  void OnContextMenuChoice(int itemIdx) override { Note("contextmenu:" + std::to_string(itemIdx)); }
  void OnControlMessage(int msgTag, int, const void*) override
  {
    Note("message:" + std::to_string(msgTag));
  }
  void OnMidiMessage(const iplug::MidiMessage&) override { Note("midi"); }

  // Whether OnKeyDown/OnKeyUp report the key handled.
  void SetHandlesKeys(bool handles) { mHandlesKeys = handles; }
  const IColor& Colour() const { return mColour; }
  const std::vector<std::string>& Events() const { return mEvents; }
  int CountOf(const std::string& event) const
  {
    int n = 0;
    for (const std::string& e : mEvents)
      n += e == event ? 1 : 0;
    return n;
  }
  void ClearEvents() { mEvents.clear(); }

private:
  void Note(std::string event) { mEvents.push_back(std::move(event)); }

  IColor mColour;
  bool mHandlesKeys = false;
  std::vector<std::string> mEvents;
};

} // namespace igraphics::test
