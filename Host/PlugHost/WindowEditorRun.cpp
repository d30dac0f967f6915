#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/EditorFrameWindow.h"
#include "Host/PlugHost/EditorRun.h"
#include "Host/PlugHost/PngFile.h"
#include "Host/PlugHost/ScreenCapture.h"
#include "Host/PlugHost/ScriptedPointer.h"
#include "Host/PlugHost/WindowDrawingCapture.h"
#include "Host/PlugHost/WindowInput.h"
#include "Host/PlugHost/WindowMessage.h"

#include <windows.h>

#include <cmath>

namespace plughost
{

int RunEditorInWindow(ModuleSession& session, const EditorRun& run)
{
  aaxhost::HostInstance& instance = session.Instance();
  std::string error;
  auto frame = EditorFrameWindow::Create(&error);
  if (!frame) return Fail("editor: " + error);
  if (instance.OpenView(frame->Handle()) != AAX_SUCCESS || instance.View() == nullptr)
    return Fail("editor: the effect has no view");
  const HWND editor = frame->Editor();
  if (editor == nullptr)
  {
    instance.CloseView();
    return Fail("editor: the effect opened no editor in the window");
  }
  // Sized by its editor before anything is painted.
  frame->FitToEditor();
  RunEditorFrames(1);
  frame->FitToEditor();
  ScriptedPointer hand;
  for (const EventScript::Step& step : run.script->Steps())
  {
    if (step.waitFrames > 0)
    {
      RunEditorFrames(step.waitFrames);
      frame->FitToEditor();
      continue;
    }
    // Script points are the editor's points at the draw scale it opens with (1 for a new
    // instance); the editor shows them at the display's scale.
    for (const AAX_HostSurfaceEvent& e : step.events)
      for (const WindowMessage& m : ToWindowMessages(e, run.screenScale))
        PostWindowMessage(editor, m, hand);
    RunEditorFrames(1);
    frame->FitToEditor();
  }
  RunEditorFrames(run.frames);
  frame->FitToEditor();
  RgbaImage image;
  const bool captured = run.captureDrawing ? WindowDrawingCapture::Window(editor, &image, &error)
                                           : ScreenCapture::Window(editor, &image, &error);
  instance.CloseView();
  if (!captured) return Fail("editor: " + error);
  if (!WritePngFile(run.screenshot, image, &error)) return Fail("editor: " + error);
  return kExitOk;
}

} // namespace plughost
