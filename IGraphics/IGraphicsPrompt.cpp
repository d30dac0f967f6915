// Value prompts: a menu of a parameter's display texts or a text entry with its
// value, shown in the editor when its own menu and text entry controls are
// attached (else by the platform), and the completions that bring the answer
// back to the control.

#include "IGraphics/Controls/IPopupMenuControl.h"
#include "IGraphics/Controls/ITextEntryControl.h"
#include "IGraphics/IGraphics.h"
#include "IPlug/IGEditorDelegate.h"

#include <cmath>
#include <cstring>
#include <string>

namespace igraphics
{

void IGraphics::AddPopupMenuControl(const ITextStyle& style, const IRect& bounds)
{
  if (mPopupControl) return;
  auto control = std::make_unique<IPopupMenuControl>(-1, style, IRect(), bounds);
  RunAttachHooks(*control);
  mPopupControl = std::move(control);
}

void IGraphics::AddTextEntryControl()
{
  if (mTextEntryControl) return;
  auto control = std::make_unique<ITextEntryControl>();
  RunAttachHooks(*control);
  mTextEntryControl = std::move(control);
}

void IGraphics::RequestValueEntry(IControl* control, const IRect& area, int valIdx)
{
  if (control == nullptr) return;
  const iplug::IParam* param = control->GetParam(valIdx);
  if (param == nullptr) return;

  const bool listsTexts =
      param->Kind() == iplug::IParam::Enumerated ||
      (param->Kind() == iplug::IParam::Boolean && param->DisplayTextCount() > 0);
  if (listsTexts)
  {
    std::string current;
    param->FormatDisplay(param->Value(), false, current, true);
    mPromptPopupMenu.Clear();
    for (int i = 0; i < param->DisplayTextCount(); ++i)
    {
      const char* text = param->DisplayTextAt(i);
      IPopupMenu::Item* item = mPromptPopupMenu.AddItem(text);
      item->SetChecked(current == text);
    }
    mPromptPopupMenu.SetTitle(param->Name());
    OpenPopupMenu(control, mPromptPopupMenu, area, valIdx, false);
    return;
  }

  std::string text;
  param->FormatDisplay(param->Value(), false, text, false);
  if (control->GetPromptShowsParamLabel())
  {
    text += ' ';
    text += param->Label();
  }
  OpenTextEntry(control, control->GetText(), area, text.c_str(), valIdx);
}

void IGraphics::OpenTextEntry(IControl* control, const ITextStyle& style, const IRect& area,
                              const char* initialText, int valIdx)
{
  if (control == nullptr) return;
  mInTextEntry = control;
  mTextEntryValIdx = valIdx;
  const int paramIdx =
      valIdx >= 0 && valIdx < control->NVals() ? control->GetParamIndex(valIdx) : -1;
  const char* text = initialText ? initialText : "";
  if (mTextEntryControl)
    static_cast<ITextEntryControl*>(mTextEntryControl.get())
        ->BeginEditing(paramIdx, style, area, control->GetTextEntryLength(), text);
  else
    OpenNativeTextEntry(paramIdx, style, area, control->GetTextEntryLength(), text);
  control->SetDirty(false);
}

void IGraphics::OpenPopupMenu(IControl* control, IPopupMenu& menu, const IRect& area, int valIdx,
                              bool isContext)
{
  // The gestures the control's press began end with the prompt's answer, not
  // when the menu takes the pointer away.
  for (const auto& [touchId, captured] : mCapturedMap)
  {
    if (captured != control) continue;
    auto begun = mCaptureGestures.find(touchId);
    if (begun == mCaptureGestures.end()) continue;
    mPromptGestures.insert(mPromptGestures.end(), begun->second.begin(), begun->second.end());
    mCaptureGestures.erase(begun);
  }
  ReleaseAllCaptures();
  mInPopupMenu = control;
  mPopupMenuValIdx = valIdx;
  mIsContextMenu = isContext;
  if (mPopupControl)
  {
    // The in-editor menu answers later, through SetPopupMenuDone.
    static_cast<IPopupMenuControl*>(mPopupControl.get())->ShowMenu(menu, area);
    return;
  }
  // The platform's menu is modal: its answer (a menu, or null when dismissed)
  // completes the prompt at once.
  IPopupMenu* chosen = ShowNativePopupMenu(menu, area);
  SetPopupMenuDone(chosen);
}

void IGraphics::SetTextEntryDone(const char* text)
{
  IControl* target = mInTextEntry;
  const int valIdx = mTextEntryValIdx;
  mInTextEntry = nullptr;
  mTextEntryValIdx = -1;
  if (target == nullptr) return;
  const iplug::IParam* param = valIdx >= 0 ? target->GetParam(valIdx) : nullptr;
  if (param != nullptr)
  {
    // Text that parses to no number ("nan", "inf") changes nothing.
    const double normalised = param->NormalOfValue(param->ParseText(text ? text : ""));
    if (std::isfinite(normalised)) target->SetValueFromEntry(normalised, valIdx);
  }
  else
    target->OnTextEntryDone(text ? text : "", valIdx);
}

void IGraphics::SetPopupMenuDone(IPopupMenu* menu)
{
  IControl* target = mInPopupMenu;
  const int valIdx = mPopupMenuValIdx;
  const bool isContext = mIsContextMenu;
  mInPopupMenu = nullptr;
  mPopupMenuValIdx = -1;
  mIsContextMenu = false;
  if (target == nullptr) return;
  if (menu != nullptr && menu->GetChosenItemIdx() < 0) menu = nullptr;
  if (isContext)
    target->OnContextMenuChoice(menu ? menu->GetChosenItemIdx() : -1);
  else
    target->OnPopupMenuChoice(menu, valIdx);
  EndPromptGestures();
}

} // namespace igraphics
