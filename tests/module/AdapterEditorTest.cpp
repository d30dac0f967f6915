// The product's editor through its AAX view, in this process: the view opens
// the editor in the host's container through the installed factory, hands
// it the container, passes host highlights on, and closes the editor however
// the container goes away. The graphics object is the headless test kit's;
// the layout is the product's.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "Examples/Brasmire/BrasmireEditor.h"
#include "IGraphics/Controls/ICornerResizerControl.h"
#include "IPlug/AAX/AAX_CEffectGUI_IPLUG.h"
#include "graphics/InputTestSupport.h"
#include "graphics/support/ProbeControl.h"
#include "tests/module/AdapterHarness.h"

#include <gtest/gtest.h>

namespace moduletest
{
namespace
{

using igraphics::IControl;
using igraphics::IGraphics;
using igraphics::IRect;
using igraphics::test::OpeningGraphics;
using igraphics::test::ProbeControl;
using MouseKind = aaxhost::HostViewContainer::ParameterMouseEvent::Kind;
using AutomationKind = aaxhost::HostAutomationDelegate::Event::Kind;

struct EditorViewFixture : ::testing::Test
{
  EditorViewFixture()
  {
    igraphics::test::InstallOpeningFactory(*c.plug, &graphics);
    c.plug->SetLayoutFunction(
        [this](IGraphics* g)
        {
          brasmire::LayoutEditor(*g);
          // The Output knob's place, linked to Output (index 3, identifier "4").
          output = static_cast<ProbeControl*>(g->AttachControl(
              std::make_unique<ProbeControl>(IRect(569, 47, 685, 163), igraphics::COLOR_BLACK, 3)));
        });
    view = aaxhost::QueryRef<AAX_IEffectGUI>(
        HostRef<IACFUnknown>::Retain(iplug::AAX_CEffectGUI_IPLUG::Create()).Get(),
        AAX_IID_EffectGUI);
    EXPECT_EQ(view->ConnectHost(c.context.Get()), AAX_SUCCESS);
  }

  void Attach()
  {
    ASSERT_EQ(view->AttachViewContainer(static_cast<AAX_IViewContainer*>(container.host.Get())),
              AAX_SUCCESS);
  }

  Connected<brasmire::Brasmire> c{brasmire::Brasmire::CreateInstance({})};
  igraphics::test::HostContainer container;
  HostRef<AAX_IEffectGUI> view;
  OpeningGraphics* graphics = nullptr;
  ProbeControl* output = nullptr;
};

} // namespace

TEST_F(EditorViewFixture, AttachingTheContainerOpensTheLaidOutEditorWithTheContainer)
{
  EXPECT_EQ(c.plug->EditorView(), nullptr);
  Attach();
  ASSERT_NE(c.plug->GetGraphics(), nullptr);
  EXPECT_EQ(c.plug->GetGraphics(), graphics);
  EXPECT_NE(c.plug->EditorView()->GetViewContainer(), nullptr);
  // The product's layout: the handle in the corner, one bubble.
  ASSERT_NE(graphics->GetCornerResizer(), nullptr);
  EXPECT_EQ(graphics->GetCornerResizer()->GetRECT(), IRect(712, 188, 732, 208));
  EXPECT_EQ(graphics->NBubbles(), 1);
  // Every value reached the editor: Output 0 dB is the middle of its range.
  EXPECT_DOUBLE_EQ(output->GetValue(), 0.5);
  AAX_Point size{};
  EXPECT_EQ(view->ViewSize(&size), AAX_SUCCESS);
  EXPECT_EQ(size.horz, 732.f);
  EXPECT_EQ(size.vert, 208.f);
}

TEST_F(EditorViewFixture, HostHighlightsReachTheControlsOfTheParameter)
{
  EXPECT_EQ(view->SetParamHighlight("4", true, 1), AAX_ERROR_INVALID_PARAMETER_ID); // closed
  Attach();
  EXPECT_EQ(view->SetParamHighlight("4", true, 1), AAX_SUCCESS);
  EXPECT_TRUE(output->GetHighlighted());
  EXPECT_EQ(output->GetHighlightColor(), igraphics::COLOR_BLUE);
  // The bypass's empty identifier and junk mark nothing.
  EXPECT_EQ(view->SetParamHighlight("", false, 0), AAX_SUCCESS);
  EXPECT_EQ(view->SetParamHighlight("4x", false, 0), AAX_SUCCESS);
  EXPECT_EQ(view->SetParamHighlight(nullptr, false, 0), AAX_SUCCESS);
  EXPECT_TRUE(output->GetHighlighted());
  EXPECT_EQ(view->SetParamHighlight("4", false, 1), AAX_SUCCESS);
  EXPECT_FALSE(output->GetHighlighted());
}

TEST_F(EditorViewFixture, ClicksGoToTheHostsContainerAndDragsBecomeTouches)
{
  Attach();
  igraphics::IMouseEvent shiftRight = igraphics::test::Press(600, 100, true, true);
  graphics->OnMouseDown({shiftRight});
  auto clicks = container.host->MouseEvents();
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].kind, MouseKind::Down);
  EXPECT_EQ(clicks[0].id, "4");
  EXPECT_EQ(clicks[0].modifiers, 17u);

  c.context->Automation().ClearEvents();
  graphics->OnMouseDown({igraphics::test::Press(600, 100)});
  graphics->OnMouseUp({igraphics::test::Press(600, 100)});
  const auto events = c.context->Automation().Events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events.front().kind, AutomationKind::Touch);
  EXPECT_EQ(events.front().id, "4");
  EXPECT_EQ(events.back().kind, AutomationKind::Release);
  EXPECT_EQ(events.back().id, "4");
}

TEST_F(EditorViewFixture, RemovingTheContainerClosesTheEditorAndTheSizeIsKept)
{
  Attach();
  graphics->Resize(732, 208, 1.5f);
  ASSERT_EQ(view->AttachViewContainer(nullptr), AAX_SUCCESS);
  EXPECT_EQ(c.plug->GetGraphics(), nullptr);
  EXPECT_EQ(c.plug->EditorView(), nullptr);
  EXPECT_EQ(c.plug->GetSavedScale(), 1.5f);
  // The state written now carries it.
  iplug::ByteChunk state;
  ASSERT_TRUE(c.plug->SerializeState(state));
  float scale = 0.f;
  state.Get(scale, 8);
  EXPECT_EQ(scale, 1.5f);
  // Reattached: it reopens at 1.5.
  Attach();
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 1.5f);
}

TEST_F(EditorViewFixture, ReleasingTheViewWithItsContainerAttachedClosesTheEditor)
{
  const int unattached = container.host->ReferenceCount();
  Attach();
  graphics->OnMouseDown({igraphics::test::Press(600, 100)}); // a drag in progress
  c.context->Automation().ClearEvents();
  EXPECT_GT(container.host->ReferenceCount(), unattached);
  view.Reset();
  EXPECT_EQ(c.plug->GetGraphics(), nullptr);
  // The view and the editor gave the container back.
  EXPECT_EQ(container.host->ReferenceCount(), unattached);
  // The drag's End reached the host.
  const auto events = c.context->Automation().Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().kind, AutomationKind::Release);
  EXPECT_EQ(events.back().id, "4");
}

TEST_F(EditorViewFixture, DisconnectingClosesFirstAndLeavesNothingToClose)
{
  Attach();
  EXPECT_EQ(view->DisconnectHost(), AAX_SUCCESS);
  EXPECT_EQ(c.plug->GetGraphics(), nullptr);
  view.Reset(); // nothing left to close: the instance is not touched again
  EXPECT_EQ(c.plug->GetGraphics(), nullptr);
}

TEST_F(EditorViewFixture, GesturesForIndexesWithoutIdentifiersNeverReachTheBypass)
{
  c.context->Automation().ClearEvents();
  c.plug->BeginParamGestureFromEditor(6);
  c.plug->SendParamFromEditor(-1, 0.5);
  c.plug->EndParamGestureFromEditor(6);
  c.plug->BeginHostParamChange(-1);
  c.plug->EndHostParamChange(99);
  EXPECT_TRUE(c.context->Automation().Events().empty());
}

} // namespace moduletest
