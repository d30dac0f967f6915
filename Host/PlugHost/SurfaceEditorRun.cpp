#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/EditorRun.h"
#include "Host/PlugHost/PngFile.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace plughost
{

namespace
{

// The surface holds premultiplied colour; a PNG holds straight colour.
RgbaImage StraightAlpha(const AAX_HostSurface& s)
{
  RgbaImage image;
  image.width = s.widthPixels;
  image.height = s.heightPixels;
  image.rgba.assign(s.pixels, s.pixels + static_cast<std::size_t>(s.widthPixels) *
                                             static_cast<std::size_t>(s.heightPixels) * 4);
  std::vector<std::uint8_t>& rgba = image.rgba;
  for (std::size_t i = 0; i < rgba.size(); i += 4)
  {
    const int a = rgba[i + 3];
    if (a == 0 || a == 255) continue;
    for (int c = 0; c < 3; ++c)
      rgba[i + c] = static_cast<std::uint8_t>(std::min(255, (rgba[i + c] * 255 + a / 2) / a));
  }
  return image;
}

} // namespace

int RunEditorOnSurface(ModuleSession& session, const EditorRun& run)
{
  // Room for the largest editor: twice its size (the largest draw scale) at this screen scale.
  AAX_Point size{};
  auto surface = std::make_unique<AAX_HostSurface>();
  surface->magic = AAX_HOST_SURFACE_MAGIC;
  surface->version = AAX_HOST_SURFACE_VERSION;
  surface->screenScale = run.screenScale;
  aaxhost::HostInstance& instance = session.Instance();
  if (instance.OpenView(surface.get()) != AAX_SUCCESS || instance.View() == nullptr)
    return Fail("editor: the effect has no view");
  instance.View()->ViewSize(&size);
  const std::int64_t w = static_cast<std::int64_t>(std::ceil(size.horz * 2 * run.screenScale)) + 1;
  const std::int64_t h = static_cast<std::int64_t>(std::ceil(size.vert * 2 * run.screenScale)) + 1;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(std::max<std::int64_t>(w * h * 4, 4)));
  surface->pixels = pixels.data();
  surface->pixelCapacity = static_cast<std::int64_t>(pixels.size());

  RunEditorFrames(1);
  for (const EventScript::Step& step : run.script->Steps())
  {
    if (step.waitFrames > 0)
    {
      RunEditorFrames(step.waitFrames);
      continue;
    }
    for (const AAX_HostSurfaceEvent& e : step.events)
      if (surface->eventCount < AAX_HOST_SURFACE_MAX_EVENTS)
        surface->events[surface->eventCount++] = e;
    RunEditorFrames(1);
  }
  RunEditorFrames(run.frames);
  instance.CloseView();
  if (surface->frameCount == 0 || surface->widthPixels <= 0)
    return Fail("editor: the effect opened no editor on the surface");
  std::string error;
  if (!WritePngFile(run.screenshot, StraightAlpha(*surface), &error))
    return Fail("editor: " + error);
  return kExitOk;
}

} // namespace plughost
