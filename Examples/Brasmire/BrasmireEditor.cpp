#include "Examples/Brasmire/BrasmireEditor.h"

#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/resources/ResourceModule.h"
#include "IGraphics/Controls/IBKnobControl.h"
#include "IGraphics/Controls/IBSwitchControl.h"
#include "IGraphics/IGraphics.h"
#include "IGraphics/IGraphicsPlatform.h"
#include "IPlug/IParam.h"

namespace brasmire
{

namespace
{

struct KnobPlace
{
  const char* bitmap;
  float left, top;
  int paramIdx;
};

// The knobs in drawing order; their bounds are one frame of their strip.
constexpr KnobPlace kKnobs[] = {
    {"BKNOB.png", 47.f, 48.f, ParamMix},
    {"SKNOB.png", 254.f, 72.f, ParamTone},
    {"SKNOB.png", 411.f, 72.f, ParamDrive},
    {"BKNOB.png", 569.f, 47.f, ParamOutput},
};

constexpr int kKnobFrames = 61;
constexpr int kSwitchFrames = 2;
constexpr double kKnobGearing = 4.0;

} // namespace

std::unique_ptr<igraphics::IGraphics> MakeEditorGraphics(iplug::IGEditorDelegate& dlg)
{
  std::unique_ptr<igraphics::IGraphics> g =
      igraphics::MakePlatformGraphics(dlg, kEditorWidth, kEditorHeight, kEditorFps, 1.f);
  if (g) g->SetLibraryInstance(ResourceModuleHandle());
  return g;
}

void LayoutEditor(igraphics::IGraphics& g)
{
  using igraphics::IColor;
  // The handle scales the whole editor; its size and colours are the skin's.
  const IColor handle(10, 0, 0, 0);
  const IColor handleActive(255, 0, 0, 0);
  g.AddCornerResizer(0, false, handle, handleActive, handleActive, 20.f);
  g.AddBackground("BG.png");
  g.EnableMouseOver(true);
  g.EnableMultiTouch(g.PlatformSupportsMultiTouch());
  igraphics::ITextStyle bubbleText(14.f, igraphics::COLOR_BLACK, "Roboto-Regular");
  bubbleText.mTextEntryBGColor = igraphics::COLOR_WHITE;
  bubbleText.mTextEntryFGColor = igraphics::COLOR_BLACK;
  g.AddBubbleControl(bubbleText);
  g.LoadFont("Roboto-Regular", "Roboto-Regular.ttf");

  for (const KnobPlace& place : kKnobs)
  {
    const igraphics::IBitmapRef strip = g.FetchBitmap(place.bitmap, kKnobFrames, false, 0);
    igraphics::IControl* knob =
        g.AddControl(new igraphics::IBKnobControl(place.left, place.top, strip, place.paramIdx,
                                                  igraphics::Orientation::Vertical, kKnobGearing),
                     -1, "");
    knob->SetActionFunction(ShowValueBubble);
  }

  const igraphics::IBitmapRef bypass = g.FetchBitmap("BY.png", kSwitchFrames, false, 0);
  g.AddControl(new igraphics::IBSwitchControl(333.f, 37.f, bypass, ParamBypass));

  const igraphics::IBitmapRef oversampling = g.FetchBitmap("OVER.png", kSwitchFrames, false, 0);
  g.AddControl(new igraphics::IBSwitchControl(280.f, 14.f, oversampling, ParamOversampling))
      ->SetActionFunction(ShowValueBubble);
}

std::string ValueBubbleText(const igraphics::IControl& control)
{
  const iplug::IParam* param = control.GetParam(0);
  if (!param) return {};
  std::string text;
  param->FormatDisplay(control.GetValue(0), true, text, true);
  if (*param->Label()) text += std::string(" ") + param->Label();
  return text;
}

void ShowValueBubble(igraphics::IControl* control)
{
  igraphics::IGraphics* g = control ? control->GetUI() : nullptr;
  if (!g) return;
  const igraphics::IRect& bounds = control->GetRECT();
  g->ShowValueBubble(control, 0.5f * (bounds.L + bounds.R), bounds.T,
                     ValueBubbleText(*control).c_str(), igraphics::Orientation::Vertical,
                     igraphics::IRect(), 0);
}

} // namespace brasmire
