#include "Examples/Brasmire/BrasmireEditor.h"

#include "IGraphics/IGraphics.h"
#include "IGraphics/IGraphicsPlatform.h"

namespace brasmire
{

std::unique_ptr<igraphics::IGraphics> MakeEditorGraphics(iplug::IGEditorDelegate& dlg)
{
  return igraphics::MakePlatformGraphics(dlg, kEditorWidth, kEditorHeight, kEditorFps, 1.f);
}

void LayoutEditor(igraphics::IGraphics& g)
{
  using igraphics::IColor;
  // The handle scales the whole editor; its size and colours are the skin's.
  const IColor handle(10, 0, 0, 0);
  const IColor handleActive(255, 0, 0, 0);
  g.AddCornerResizer(0, false, handle, handleActive, handleActive, 20.f);
  g.EnableMouseOver(true);
  g.EnableMultiTouch(g.PlatformSupportsMultiTouch());
  igraphics::ITextStyle bubbleText(14.f, igraphics::COLOR_BLACK, "Roboto-Regular");
  bubbleText.mTextEntryBGColor = igraphics::COLOR_WHITE;
  bubbleText.mTextEntryFGColor = igraphics::COLOR_BLACK;
  g.AddBubbleControl(bubbleText);
}

} // namespace brasmire
