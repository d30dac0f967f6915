#pragma once

#include "IGraphics/IControl.h"
#include "IGraphics/IPopupMenu.h"

#include <memory>
#include <string>
#include <vector>

namespace igraphics
{

// The in-editor single-line text field the graphics core opens over a control
// when a value is typed. The editing itself (cursor, selection, insertion,
// deletion, undo of 99 records / 999 characters) is the text-edit engine's;
// this control feeds it keys and pointer input, filters characters for the
// parameter being edited, measures, draws and commits the text. The caret
// blinks 500 ms on, 500 ms off on the graphics core's clock. [main-thread]
class ITextEntryControl : public IControl
{
public:
  ITextEntryControl();
  ~ITextEntryControl() override;

  // Opens the field over `area` with `text` (UTF-8), all of it selected.
  // `maxLength` > 0 limits the characters typing and pasting may produce.
  void BeginEditing(int paramIdx, const ITextStyle& style, const IRect& area, int maxLength,
                    const char* text);
  // Hands the text to the graphics core's text-entry completion and closes.
  void CommitEdit();
  // Closes without completing anything.
  void DismissEdit();
  bool IsEditing() const { return mEditing; }

  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnMouseUp(float x, float y, const IMouseState& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod) override;
  void OnMouseDoubleClick(float x, float y, const IMouseState& mod) override;
  // The right-click menu: 0 cut, 1 copy, 2 paste.
  void OnContextMenuChoice(int itemIdx) override;
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  void Draw(IGraphics& g) override;
  void OnAnimationEnd() override;
  // While editing, every pointer event comes here (a press outside commits).
  bool CapturesAllInput() const override { return mEditing; }

  // Clipboard and selection.
  void CopySelection();
  void CutSelection();
  void Paste();
  void SelectAll();

  // State, for tests --------------------------------------------------------------------------

  // The text as UTF-8.
  std::string GetTextUtf8() const;
  int GetCursor() const;
  int GetSelectionStart() const;
  int GetSelectionEnd() const;
  bool IsCursorVisible() const { return mCursorVisible; }
  bool GetInsertMode() const;

private:
  // The engine's view of the text; the engine's callbacks (in the .cpp) reach it.
  friend struct TextEditCallbacks;
  struct Engine;

  // Row layout: where the characters begin and end, given the alignment.
  void RowExtent(float& x0, float& x1, float& ymin, float& ymax);
  float CharWidth(int idx);
  // Widths of every character, recomputed when the text changed.
  void EnsureCharWidths();
  float WidthBefore(int idx);
  bool DeleteChars(int pos, int n);
  bool InsertChars(int pos, const char16_t* chars, int n);
  // The text changed: widths go, the UTF-8 round trip keeps it well formed.
  void TextChanged();
  // A key for the engine; true when its state changed.
  bool SendKey(unsigned int key);
  // Whether the parameter of the control in text entry takes the character.
  bool CharacterAllowed(char32_t c, bool& haveTarget) const;
  void StartBlink();
  void CloseField();

  bool mCursorVisible = false;
  bool mEditing = false;
  std::unique_ptr<Engine> mEngine; // the text-edit engine's state
  std::vector<float> mCharWidths;  // empty until measured
  std::u16string mEditString;
  int mMaxLength = 0; // 0: no limit
  IPopupMenu mContextMenu;
};

} // namespace igraphics
