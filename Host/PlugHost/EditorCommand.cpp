#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "Host/HostEventLoop.h"
#include "Host/PlugHost/AtomicFileWriter.h"
#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/EventScript.h"
#include "Host/PlugHost/ModuleSession.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace plughost
{

namespace
{

constexpr const char* kUsage =
    "usage: plughost editor MODULE --screenshot OUT.png [--scale S] [--param NAME=VALUE]...\n"
    "                       [--events FILE] [--frames N]\n\n"
    "Opens the effect's editor through its view as a host does, on a surface of its own,\n"
    "runs the editor for N frames, replays scripted input and writes what the surface shows.\n\n"
    "  --screenshot OUT.png  where the picture goes (written whole or not at all)\n"
    "  --scale S             screen pixels per point, 0.5 to 4 (default 1)\n"
    "  --param NAME=VALUE    set a parameter first, as a user types it (repeatable)\n"
    "  --events FILE         input to replay: down/move/up/wheel/dblclick X Y, key C, wait N\n"
    "  --frames N            frames to run after the input (default 30)\n";

#ifndef _WIN32
// One frame of the host's main loop: long enough for the editor's 60 Hz tick
// and the plug-in's 20 ms timer to fire.
constexpr std::uint32_t kFrameMs = 20;

void RunFrames(int frames)
{
  for (int i = 0; i < frames; ++i)
    aaxhost::HostEventLoop::RunFor(kFrameMs);
}

// The surface holds premultiplied colour; a PNG holds straight colour.
std::vector<std::uint8_t> StraightAlpha(const AAX_HostSurface& s)
{
  std::vector<std::uint8_t> rgba(s.pixels, s.pixels + static_cast<std::size_t>(s.widthPixels) *
                                                          static_cast<std::size_t>(s.heightPixels) *
                                                          4);
  for (std::size_t i = 0; i < rgba.size(); i += 4)
  {
    const int a = rgba[i + 3];
    if (a == 0 || a == 255) continue;
    for (int c = 0; c < 3; ++c)
      rgba[i + c] = static_cast<std::uint8_t>(std::min(255, (rgba[i + c] * 255 + a / 2) / a));
  }
  return rgba;
}

bool WritePng(const std::string& path, const AAX_HostSurface& s, std::string* error)
{
  const std::vector<std::uint8_t> rgba = StraightAlpha(s);
  std::vector<std::uint8_t> png;
  const auto append = [](void* context, void* data, int size)
  {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
  };
  if (!stbi_write_png_to_func(append, &png, s.widthPixels, s.heightPixels, 4, rgba.data(),
                              s.widthPixels * 4))
  {
    *error = "cannot encode the picture";
    return false;
  }
  return AtomicFileWriter::WriteWhole(path, png.data(), png.size(), error);
}
#endif

} // namespace

int EditorCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, kUsage)) return kExitOk;
  CommandLine line;
  std::string error;
  if (!line.Parse(args,
                  {{"--screenshot", true},
                   {"--scale", true},
                   {"--param", true, true},
                   {"--events", true},
                   {"--frames", true}},
                  1, 1, &error))
    return Fail("editor: " + error);
  if (!line.Has("--screenshot")) return Fail("editor: --screenshot OUT.png is required");
  const std::string out = *line.Value("--screenshot");
  float scale = 1.f;
  if (line.Has("--scale"))
  {
    const std::string text = *line.Value("--scale");
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0.5 || value > 4.0)
      return Fail("editor: --scale must be a number from 0.5 to 4, not \"" + text + "\"");
    scale = static_cast<float>(value);
  }
  long long frames = 30;
  if (line.Has("--frames") && !line.Integer("--frames", 1, 100000, &frames, &error))
    return Fail("editor: " + error);
  EventScript script;
  if (line.Has("--events") && !script.Load(*line.Value("--events"), &error))
    return Fail("editor: --events " + error);
  auto session = ModuleSession::Open(line.Positional()[0], &error);
  if (!session) return Fail(error);
  if (!session->CreateInstance(2, 48000.0f, &error)) return Fail(error);
  if (!session->ApplySettings(line.Values("--param"), &error)) return Fail(error);
#ifdef _WIN32
  // A Windows module takes a window as its view's parent, never this surface.
  (void)scale;
  return Fail("editor: the Windows build opens editors only with its window layer");
#else

  // Room for the largest editor: twice its size (the largest draw scale) at this screen scale.
  AAX_Point size{};
  auto surface = std::make_unique<AAX_HostSurface>();
  surface->magic = AAX_HOST_SURFACE_MAGIC;
  surface->version = AAX_HOST_SURFACE_VERSION;
  surface->screenScale = scale;
  aaxhost::HostInstance& instance = session->Instance();
  if (instance.OpenView(surface.get()) != AAX_SUCCESS || instance.View() == nullptr)
    return Fail("editor: the effect has no view");
  instance.View()->ViewSize(&size);
  const std::int64_t w = static_cast<std::int64_t>(std::ceil(size.horz * 2 * scale)) + 1;
  const std::int64_t h = static_cast<std::int64_t>(std::ceil(size.vert * 2 * scale)) + 1;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(std::max<std::int64_t>(w * h * 4, 4)));
  surface->pixels = pixels.data();
  surface->pixelCapacity = static_cast<std::int64_t>(pixels.size());

  RunFrames(1);
  for (const EventScript::Step& step : script.Steps())
  {
    if (step.waitFrames > 0)
    {
      RunFrames(step.waitFrames);
      continue;
    }
    for (const AAX_HostSurfaceEvent& e : step.events)
      if (surface->eventCount < AAX_HOST_SURFACE_MAX_EVENTS)
        surface->events[surface->eventCount++] = e;
    RunFrames(1);
  }
  RunFrames(static_cast<int>(frames));
  instance.CloseView();
  if (surface->frameCount == 0 || surface->widthPixels <= 0)
    return Fail("editor: the effect opened no editor on the surface");
  if (!WritePng(out, *surface, &error)) return Fail("editor: " + error);
  return kExitOk;
#endif
}

} // namespace plughost
