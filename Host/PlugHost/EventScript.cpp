#include "Host/PlugHost/EventScript.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace plughost
{

namespace
{

// A finite number and nothing else.
bool ParseNumber(const std::string& text, float* out)
{
  if (text.empty()) return false;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) || std::fabs(value) > 1e6)
    return false;
  *out = static_cast<float>(value);
  return true;
}

constexpr int kMaxWaitFrames = 100000;

} // namespace

bool EventScript::Load(const std::string& path, std::string* error)
{
  std::ifstream in(path, std::ios::binary);
  if (!in)
  {
    *error = "cannot read " + path;
    return false;
  }
  const std::string text(std::istreambuf_iterator<char>(in), {});
  if (!Parse(text, error))
  {
    *error = path + " " + *error;
    return false;
  }
  return true;
}

bool EventScript::Parse(const std::string& text, std::string* error)
{
  mSteps.clear();
  mButtons = 0;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line))
  {
    ++number;
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.empty() || w[0][0] == '#') continue;
    auto fail = [&](const std::string& why)
    {
      *error = "line " + std::to_string(number) + ": " + why;
      mSteps.clear();
      return false;
    };
    Step step;
    AAX_HostSurfaceEvent e{};
    const std::string& verb = w[0];
    if (verb == "wait")
    {
      char* end = nullptr;
      const long frames = w.size() == 2 ? std::strtol(w[1].c_str(), &end, 10) : -1;
      if (w.size() != 2 || *end != '\0' || frames < 1 || frames > kMaxWaitFrames)
        return fail("wait takes a frame count from 1 to " + std::to_string(kMaxWaitFrames));
      step.waitFrames = static_cast<int>(frames);
      mSteps.push_back(step);
      continue;
    }
    if (verb == "key")
    {
      if (w.size() < 2 || w.size() > 3 || w[1].size() >= sizeof(e.text))
        return fail("key takes a character (at most 7 bytes) and an optional key code");
      float code = 0.f;
      if (w.size() == 3 && (!ParseNumber(w[2], &code) || code < 0 || code > 0xffff))
        return fail("key code must be a number from 0 to 65535");
      w[1].copy(e.text, sizeof(e.text) - 1);
      e.keyCode = static_cast<int>(code);
      e.kind = AAX_eHostSurfaceEvent_KeyDown;
      step.events.push_back(e);
      e.kind = AAX_eHostSurfaceEvent_KeyUp;
      step.events.push_back(e);
      mSteps.push_back(step);
      continue;
    }
    const bool isWheel = verb == "wheel";
    if (w.size() < 3 || !ParseNumber(w[1], &e.x) || !ParseNumber(w[2], &e.y))
      return fail(verb + " needs the editor point X Y");
    std::size_t next = 3;
    if (isWheel && (w.size() < 4 || !ParseNumber(w[3], &e.wheelDelta)))
      return fail("wheel needs X Y DELTA");
    if (isWheel) next = 4;
    int pressed = AAX_HOST_SURFACE_BUTTON_LEFT;
    for (; next < w.size(); ++next)
    {
      if (verb != "down" && verb != "dblclick") return fail("unexpected \"" + w[next] + "\"");
      if (w[next] == "right")
        pressed = AAX_HOST_SURFACE_BUTTON_RIGHT;
      else if (w[next] == "shift")
        e.modifiers |= AAX_HOST_SURFACE_MOD_SHIFT;
      else if (w[next] == "ctrl")
        e.modifiers |= AAX_HOST_SURFACE_MOD_CONTROL;
      else if (w[next] == "alt")
        e.modifiers |= AAX_HOST_SURFACE_MOD_ALT;
      else
        return fail("unknown modifier \"" + w[next] + "\"");
    }
    if (verb == "down")
    {
      e.kind = AAX_eHostSurfaceEvent_MouseDown;
      mButtons |= pressed;
      e.buttons = mButtons;
    }
    else if (verb == "up")
    {
      e.kind = AAX_eHostSurfaceEvent_MouseUp;
      e.buttons = mButtons;
      mButtons = 0;
    }
    else if (verb == "move")
    {
      e.kind = AAX_eHostSurfaceEvent_MouseMove;
      e.buttons = mButtons;
    }
    else if (verb == "dblclick")
    {
      e.kind = AAX_eHostSurfaceEvent_DoubleClick;
      e.buttons = pressed;
    }
    else if (isWheel)
      e.kind = AAX_eHostSurfaceEvent_Wheel;
    else
      return fail("unknown step \"" + verb + "\"");
    step.events.push_back(e);
    mSteps.push_back(step);
  }
  return true;
}

} // namespace plughost
