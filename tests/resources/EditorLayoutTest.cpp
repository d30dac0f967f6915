// The product's editor: what its layout attaches, the frames its controls show for parameter
// values, the texts of its value bubble, and opening it through the effect's own delegate.
#include "ResourceGraphics.h"

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "Examples/Brasmire/Brasmire.h"
#include "Examples/Brasmire/BrasmireEditor.h"
#include "IGraphics/Controls/IBKnobControl.h"
#include "IGraphics/Controls/IBSwitchControl.h"
#include "IGraphics/Controls/IBitmapControl.h"
#include "IGraphics/Controls/IBubbleControl.h"
#include "IPlug/IParam.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

using brasmire::Brasmire;
using igraphics::IRect;
using igraphics::test::DrawOp;
using igraphics::test::ResourceGraphics;

// The headless editor as a platform layer would open it: the window's arrival finishes the
// opening (layout, values to the controls).
class OpeningResourceGraphics : public ResourceGraphics
{
public:
  using ResourceGraphics::ResourceGraphics;

  void* CreateEditorWindow(void* parent) override
  {
    if (!parent) return nullptr;
    GetDelegate()->FinishEditorOpening(*this);
    return parent;
  }
};

class EditorLayout : public ::testing::Test
{
protected:
  EditorLayout()
  {
    plug->SetGraphicsFactory(
        [this]() -> std::unique_ptr<igraphics::IGraphics>
        {
          auto g = std::make_unique<OpeningResourceGraphics>(*plug, brasmire::kEditorWidth,
                                                             brasmire::kEditorHeight);
          graphics = g.get();
          return g;
        });
  }
  ~EditorLayout() override { plug->CloseEditor(); }

  ResourceGraphics& Open()
  {
    EXPECT_NE(plug->OpenEditor(&parentWindow), nullptr);
    return *graphics;
  }

  // The source offset of the one bitmap control `idx` draws.
  int DrawnSourceY(int idx)
  {
    graphics->ClearOps();
    igraphics::IControl* control = graphics->GetControl(idx);
    graphics->DrawControl(control, control->GetRECT(), 1.f);
    const std::vector<DrawOp> bitmaps = graphics->OpsOf(DrawOp::Kind::Bitmap);
    EXPECT_EQ(bitmaps.size(), 1u);
    return bitmaps.empty() ? -1 : bitmaps[0].srcY;
  }

  void SetParam(int paramIdx, double value)
  {
    plug->GetParam(paramIdx)->Set(value);
    plug->DeliverParamToEditor(paramIdx, value, false);
  }

  // What the bubble shows after the control's value became `normalised` by the user.
  std::string BubbleAfterUserChange(int idx, double normalised)
  {
    igraphics::IControl* control = graphics->GetControl(idx);
    control->SetValue(normalised);
    control->SetDirty(true);
    auto* bubble = static_cast<igraphics::IBubbleControl*>(graphics->GetBubble(0));
    return bubble ? bubble->GetBubbleText() : "no bubble";
  }

  std::unique_ptr<Brasmire> plug = std::make_unique<Brasmire>(iplug::InstanceInfo{});
  OpeningResourceGraphics* graphics = nullptr;
  int parentWindow = 0;
};

struct Expected
{
  const char* bitmap;
  IRect bounds;
  int paramIdx;
  bool bubble;
};

constexpr Expected kControls[] = {
    {"BG.png", {0, 0, 732, 208}, -1, false},     {"BKNOB.png", {47, 48, 163, 164}, 0, true},
    {"SKNOB.png", {254, 72, 323, 141}, 1, true}, {"SKNOB.png", {411, 72, 480, 141}, 2, true},
    {"BKNOB.png", {569, 47, 685, 163}, 3, true}, {"BY.png", {333, 37, 398, 55}, 5, false},
    {"OVER.png", {280, 14, 451, 32}, 4, true},
};

TEST_F(EditorLayout, AttachesSevenBitmapControlsInDrawingOrder)
{
  ResourceGraphics& g = Open();
  ASSERT_EQ(g.NControls(), 7);
  for (int i = 0; i < 7; ++i)
  {
    SCOPED_TRACE(i);
    igraphics::IControl* control = g.GetControl(i);
    const auto* bitmap = dynamic_cast<igraphics::IBitmapBase*>(control);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetBitmap().GetResourceName(), kControls[i].bitmap);
    EXPECT_EQ(control->GetRECT(), kControls[i].bounds);
    EXPECT_EQ(control->GetParamIndex(), kControls[i].paramIdx);
    EXPECT_EQ(static_cast<bool>(control->GetActionFunction()), kControls[i].bubble);
    EXPECT_EQ(g.GetControlTag(control), -1);
    EXPECT_STREQ(control->GetGroup(), "");
  }
  EXPECT_NE(dynamic_cast<igraphics::IBitmapControl*>(g.GetControl(0)), nullptr);
  for (int i = 1; i <= 4; ++i)
  {
    const auto* knob = dynamic_cast<igraphics::IBKnobControl*>(g.GetControl(i));
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->GetBitmap().N(), 61);
    EXPECT_EQ(knob->GetGearing(), 4.0);
    EXPECT_EQ(knob->GetDirection(), igraphics::Orientation::Vertical);
  }
  EXPECT_NE(dynamic_cast<igraphics::IBSwitchControl*>(g.GetControl(5)), nullptr);
  EXPECT_NE(dynamic_cast<igraphics::IBSwitchControl*>(g.GetControl(6)), nullptr);
}

TEST_F(EditorLayout, AddsTheResizerTheBubbleAndTheFont)
{
  ResourceGraphics& g = Open();
  ASSERT_NE(g.GetCornerResizer(), nullptr);
  EXPECT_EQ(g.GetCornerResizer()->GetRECT(), IRect(712.f, 188.f, 732.f, 208.f));
  ASSERT_EQ(g.NBubbles(), 1);
  const igraphics::ITextStyle& style = g.GetBubble(0)->GetText();
  EXPECT_STREQ(style.mFont, "Roboto-Regular");
  EXPECT_EQ(style.mSize, 14.f);
  EXPECT_EQ(style.mFGColor, igraphics::IColor(255, 0, 0, 0));
  EXPECT_EQ(style.mTextEntryBGColor, igraphics::IColor(255, 255, 255, 255));
  EXPECT_TRUE(g.MouseOverEnabled());
  EXPECT_FALSE(g.MultiTouchEnabled()) << "no multi-touch without a platform that has it";
  ASSERT_EQ(g.RegisteredFonts().size(), 1u);
  EXPECT_EQ(g.RegisteredFonts()[0], "Roboto-Regular");
}

TEST_F(EditorLayout, EachPictureIsLoadedOnceAtScreenScaleOne)
{
  ResourceGraphics& g = Open();
  EXPECT_EQ(g.TotalLoads(), 5);
  for (const char* picture : {"\"bg@2x.png\"", "\"bknob@2x.png\"", "\"sknob@2x.png\"",
                              "\"by@2x.png\"", "\"over@2x.png\""})
    EXPECT_EQ(g.LoadCount(picture), 1) << picture;
}

TEST_F(EditorLayout, ParameterValuesChooseTheFrames)
{
  Open();
  // Output strip: frame f starts at (f − 1) × 7076 / 61 points.
  SetParam(brasmire::ParamOutput, -15.0);
  EXPECT_EQ(DrawnSourceY(4), 0);
  SetParam(brasmire::ParamOutput, 0.0);
  EXPECT_EQ(DrawnSourceY(4), 3480);
  SetParam(brasmire::ParamOutput, 15.0);
  EXPECT_EQ(DrawnSourceY(4), 6960);
  // The switches' second frame starts 18 points down (36 of 72 pixels).
  EXPECT_EQ(DrawnSourceY(5), 18) << "Bypass opens at 1, the effect engaged";
  SetParam(brasmire::ParamBypass, 0.0);
  EXPECT_EQ(DrawnSourceY(5), 0);
  EXPECT_EQ(DrawnSourceY(6), 0);
  SetParam(brasmire::ParamOversampling, 1.0);
  EXPECT_EQ(DrawnSourceY(6), 18);
}

TEST_F(EditorLayout, TheBubbleShowsDisplayTextsWithLabels)
{
  Open();
  EXPECT_EQ(BubbleAfterUserChange(1, 1.0), "100 %");
  EXPECT_EQ(BubbleAfterUserChange(3, 12.0 / 50.0), "12 dB");
  EXPECT_EQ(BubbleAfterUserChange(4, (-3.5 + 15.0) / 30.0), "-3.5 dB");
  graphics->GetControl(6)->OnMouseDown(300.f, 20.f, {});
  auto* bubble = static_cast<igraphics::IBubbleControl*>(graphics->GetBubble(0));
  EXPECT_STREQ(bubble->GetBubbleText(), "Oversampling On");
  // Centred on the switch; at 14 points from the top there is no room above, so below it.
  EXPECT_EQ(bubble->GetArrowSide(), igraphics::IBubbleControl::kArrowTop);
  EXPECT_GE(bubble->GetBubbleRect().T, 14.f);
  EXPECT_FLOAT_EQ(bubble->GetBubbleRect().MW(), (280.f + 451.f) / 2.f);
}

TEST_F(EditorLayout, AFreshInstanceFormatsItsDefaults)
{
  const char* expected[] = {"100", "50", "0", "0.0", "Oversampling Off", "1"};
  for (int i = 0; i < brasmire::kNumParams; ++i)
  {
    std::string text;
    plug->GetParam(i)->FormatDisplay(plug->GetParam(i)->Value(), false, text);
    EXPECT_EQ(text, expected[i]) << i;
  }
  ResourceGraphics& g = Open();
  EXPECT_EQ(brasmire::ValueBubbleText(*g.GetControl(1)), "100 %");
  EXPECT_EQ(brasmire::ValueBubbleText(*g.GetControl(2)), "50 %");
  EXPECT_EQ(brasmire::ValueBubbleText(*g.GetControl(3)), "0 dB");
  EXPECT_EQ(brasmire::ValueBubbleText(*g.GetControl(4)), "0.0 dB");
  EXPECT_EQ(brasmire::ValueBubbleText(*g.GetControl(6)), "Oversampling Off");
  EXPECT_EQ(brasmire::ValueBubbleText(*g.GetControl(0)), "");
}

TEST_F(EditorLayout, OpeningTwiceLeavesSevenControls)
{
  Open();
  plug->CloseEditor();
  ResourceGraphics& g = Open();
  EXPECT_EQ(g.NControls(), 7);
  g.ApplyScreenScale(1.5f);
  EXPECT_EQ(g.NControls(), 7);
  EXPECT_EQ(g.TotalLoads(), 5) << "the 2x pictures serve scale 1.5 too";
}

TEST(EditorFactory, MakesThePlatformsEditorWhereALayerExists)
{
  Brasmire plug{iplug::InstanceInfo{}};
  const auto graphics = brasmire::MakeEditorGraphics(plug);
  ASSERT_NE(graphics, nullptr);
#ifdef _WIN32
  EXPECT_STREQ(graphics->PlatformName(), "win32");
#else
  EXPECT_STREQ(graphics->PlatformName(), "linux");
#endif
  EXPECT_EQ(graphics->Width(), brasmire::kEditorWidth);
  // A parent that is neither a surface the host filled in nor a window opens nothing.
  AAX_HostSurface parent{};
  EXPECT_EQ(plug.OpenEditor(&parent), nullptr);
}

} // namespace
