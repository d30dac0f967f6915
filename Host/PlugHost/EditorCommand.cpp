#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/EditorRun.h"
#include "Host/PlugHost/EventScript.h"
#include "Host/PlugHost/ModuleSession.h"

#ifdef _WIN32
#include "Host/PlugHost/WindowInput.h"
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plughost
{

namespace
{

constexpr const char* kUsage =
    "usage: plughost editor MODULE --screenshot OUT.png [--scale S] [--param NAME=VALUE]...\n"
    "                       [--events FILE] [--frames N] [--capture screen|drawing]\n\n"
    "Opens the effect's editor through its view as a host does, in a window of its own\n"
    "(Windows) or on a surface of its own (elsewhere), replays scripted input as input to\n"
    "that window, runs the editor for N frames and writes what the screen shows of it.\n\n"
    "  --screenshot OUT.png  where the picture goes (written whole or not at all)\n"
    "  --scale S             screen pixels per point, 0.5 to 4 (default 1); on Windows the\n"
    "                        display's own (its dots per inch / 96) and no other\n"
    "  --param NAME=VALUE    set a parameter first, as a user types it (repeatable)\n"
    "  --events FILE         input to replay: down/move/up/wheel/dblclick X Y, key C, wait N\n"
    "  --frames N            frames to run after the input (default 30)\n"
    "  --capture screen|drawing\n"
    "                        screen (default): what the screen shows of the editor, as a\n"
    "                        user sees it; drawing: the editor window's own OpenGL drawing\n"
    "                        as it last drew it, for systems whose screen lacks child\n"
    "                        windows' OpenGL output (Wine). On a host surface both are\n"
    "                        the surface\n\n"
    "Each parameter the editor changed is printed as \"NAME: TEXT (NORMALISED)\".\n";

#ifdef _WIN32
// Scales closer than this are the same display scale.
constexpr double kScaleTolerance = 1e-3;

std::string ScaleText(float scale)
{
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(scale));
  return text;
}
#endif

// What the editor changed, as a DAW's automation lanes show it.
void PrintChanges(const std::vector<ParamInfo>& before, const std::vector<ParamInfo>& after)
{
  for (const ParamInfo& now : after)
    for (const ParamInfo& then : before)
      if (then.id == now.id && then.normal != now.normal)
        std::printf("%s: %s (%.6g)\n", now.name.c_str(), now.valueText.c_str(), now.normal);
}

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
                   {"--frames", true},
                   {"--capture", true}},
                  1, 1, &error))
    return Fail("editor: " + error);
  if (!line.Has("--screenshot")) return Fail("editor: --screenshot OUT.png is required");
  const std::string out = *line.Value("--screenshot");
#ifdef _WIN32
  // Before any window exists: the display's density decides the screen scale.
  float scale = DisplayScreenScale();
#else
  float scale = 1.f;
#endif
  if (line.Has("--scale"))
  {
    const std::string text = *line.Value("--scale");
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0.5 || value > 4.0)
      return Fail("editor: --scale must be a number from 0.5 to 4, not \"" + text + "\"");
#ifdef _WIN32
    // Windows has one screen scale, the display's; a different one cannot be shown.
    if (std::fabs(value - scale) > kScaleTolerance)
      return Fail("editor: --scale " + text + " does not match the display's screen scale " +
                  ScaleText(scale) + " (its dots per inch / 96)");
#endif
    scale = static_cast<float>(value);
  }
  long long frames = 30;
  if (line.Has("--frames") && !line.Integer("--frames", 1, 100000, &frames, &error))
    return Fail("editor: " + error);
  const std::string capture = line.Value("--capture").value_or("screen");
  if (capture != "screen" && capture != "drawing")
    return Fail("editor: --capture must be screen or drawing, not \"" + capture + "\"");
  EventScript script;
  if (line.Has("--events") && !script.Load(*line.Value("--events"), &error))
    return Fail("editor: --events " + error);
  auto session = ModuleSession::Open(line.Positional()[0], &error);
  if (!session) return Fail(error);
  if (!session->CreateInstance(2, 48000.0f, &error)) return Fail(error);
  if (!session->ApplySettings(line.Values("--param"), &error)) return Fail(error);
  EditorRun run;
  run.screenScale = scale;
  run.script = &script;
  run.frames = static_cast<int>(frames);
  run.screenshot = out;
  run.captureDrawing = capture == "drawing";
  const std::vector<ParamInfo> before = session->Parameters();
#ifdef _WIN32
  const int status = RunEditorInWindow(*session, run);
#else
  const int status = RunEditorOnSurface(*session, run);
#endif
  if (status == kExitOk) PrintChanges(before, session->Parameters());
  return status;
}

} // namespace plughost
