#include "tests/host/module/TestSurfaceEditor.h"

#ifndef _WIN32
#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "IPlug/RunLoop.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace
{
using Service = iplug::RunLoop::ThreadTimerService;

// The host's thread timers, which fire from its event loop; null without them.
const Service* HostTimers()
{
  void* symbol = dlsym(RTLD_DEFAULT, iplug::RunLoop::kServiceSymbol);
  if (symbol == nullptr) return nullptr;
  const Service* service = reinterpret_cast<iplug::RunLoop::ServiceProvider>(symbol)();
  return service && service->version == iplug::RunLoop::kServiceVersion ? service : nullptr;
}

// The open editors by timer, and the timers the leak-timer fault left
// running: killed when the module unloads, before their procedure goes.
struct Timers
{
  ~Timers()
  {
    if (const Service* service = HostTimers())
      for (std::uintptr_t id : leaked)
        service->killThreadTimer(id);
  }
  std::map<std::uintptr_t, TestSurfaceEditor*> open;
  std::vector<std::uintptr_t> leaked;
} gTimers;

constexpr std::uint32_t kPeriodMs = 15;
} // namespace

TestSurfaceEditor::TestSurfaceEditor(AAX_HostSurface* surface, AAX_IEffectParameters* effect,
                                     AAX_VViewContainer* container, TestEffect::Fault fault)
    : mSurface(surface), mContainer(container), mFault(fault), mStrips(effect, container, fault)
{
}

std::unique_ptr<TestSurfaceEditor> TestSurfaceEditor::Open(void* parent,
                                                           AAX_IEffectParameters* effect,
                                                           AAX_VViewContainer* container,
                                                           TestEffect::Fault fault)
{
  auto* surface = static_cast<AAX_HostSurface*>(parent);
  const Service* timers = HostTimers();
  if (surface == nullptr || surface->magic != AAX_HOST_SURFACE_MAGIC ||
      surface->version != AAX_HOST_SURFACE_VERSION || effect == nullptr || timers == nullptr)
    return nullptr;
  std::unique_ptr<TestSurfaceEditor> editor(
      new TestSurfaceEditor(surface, effect, container, fault));
  editor->mTimer = timers->setThreadTimer(kPeriodMs, &TimerProc);
  gTimers.open[editor->mTimer] = editor.get();
  surface->eventCount = 0;
  return editor;
}

TestSurfaceEditor::~TestSurfaceEditor()
{
  gTimers.open.erase(mTimer);
  if (mFault == TestEffect::Fault::LeakTimer)
    gTimers.leaked.push_back(mTimer);
  else if (const Service* timers = HostTimers())
    timers->killThreadTimer(mTimer);
}

void TestSurfaceEditor::TimerProc(std::uintptr_t id)
{
  const auto it = gTimers.open.find(id);
  if (it != gTimers.open.end()) it->second->Tick();
}

void TestSurfaceEditor::Handle(const AAX_HostSurfaceEvent& e)
{
  if (e.kind == AAX_eHostSurfaceEvent_MouseDown)
    mStrips.Press(e.x, e.y);
  else if (e.kind == AAX_eHostSurfaceEvent_MouseMove)
    mStrips.Move(e.y);
  else if (e.kind == AAX_eHostSurfaceEvent_MouseUp)
    mStrips.Release();
}

void TestSurfaceEditor::Tick()
{
  const int count = std::clamp(mSurface->eventCount, 0, AAX_HOST_SURFACE_MAX_EVENTS);
  const std::vector<AAX_HostSurfaceEvent> events(mSurface->events, mSurface->events + count);
  mSurface->eventCount = 0;
  for (const AAX_HostSurfaceEvent& e : events)
    Handle(e);
  const float scale = mSurface->screenScale;
  const float pixelsPerPoint = std::isfinite(scale) && scale > 0.f && scale <= 4.f ? scale : 1.f;
  const int width = static_cast<int>(kWidth * pixelsPerPoint);
  const int height = static_cast<int>(kHeight * pixelsPerPoint);
  if (width != mWidth || height != mHeight)
  {
    mWidth = width;
    mHeight = height;
    if (mContainer)
      mContainer->SetViewSize(AAX_Point{static_cast<float>(height), static_cast<float>(width)});
  }
  Draw();
}

void TestSurfaceEditor::Draw()
{
  mSurface->widthPixels = mWidth;
  mSurface->heightPixels = mHeight;
  const std::int64_t bytes = static_cast<std::int64_t>(mWidth) * mHeight * 4;
  if (mSurface->pixels == nullptr || mSurface->pixelCapacity < bytes) return;
  const std::vector<double> values = mStrips.Values();
  for (int y = 0; y < mHeight; ++y)
    for (int x = 0; x < mWidth; ++x)
    {
      // A strip is lit from its bottom up to its value.
      const std::size_t strip = TestStrips::StripOf(x, mWidth, values.size());
      const bool lit = !values.empty() && (mHeight - y) <= values[strip] * mHeight;
      std::uint8_t* pixel = mSurface->pixels + (static_cast<std::size_t>(y) * mWidth + x) * 4;
      pixel[0] = lit ? 240 : 40;
      pixel[1] = static_cast<std::uint8_t>(lit ? 160 : 40);
      pixel[2] = static_cast<std::uint8_t>(40 + 60 * (strip % 2));
      pixel[3] = 255;
    }
  ++mSurface->frameCount;
}

#else

std::unique_ptr<TestSurfaceEditor> TestSurfaceEditor::Open(void*, AAX_IEffectParameters*,
                                                           AAX_VViewContainer*, TestEffect::Fault)
{
  return nullptr; // a Windows view takes a window, not a surface
}

TestSurfaceEditor::~TestSurfaceEditor() = default;

#endif
