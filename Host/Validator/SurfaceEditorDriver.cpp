#include "Host/Validator/SurfaceEditorDriver.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostEventLoop.h"

#include <algorithm>
#include <cmath>

namespace plughost
{

namespace
{
// Frames an editor gets to show its first picture.
constexpr int kFirstFrameLimit = 25;
} // namespace

SurfaceEditorDriver::SurfaceEditorDriver(aaxhost::HostInstance& instance)
    : mInstance(instance), mSurface(std::make_unique<AAX_HostSurface>())
{
  mSurface->magic = AAX_HOST_SURFACE_MAGIC;
  mSurface->version = AAX_HOST_SURFACE_VERSION;
  mSurface->screenScale = 1.f;
}

std::unique_ptr<EditorDriver> SurfaceEditorDriver::Open(aaxhost::HostInstance& instance,
                                                        std::string& why)
{
  std::unique_ptr<SurfaceEditorDriver> driver(new SurfaceEditorDriver(instance));
  driver->mOpen = instance.OpenView(driver->mSurface.get()) == AAX_SUCCESS;
  if (!driver->mOpen || instance.View() == nullptr)
  {
    why = "editor not available: the module has no view";
    return nullptr;
  }
  AAX_Point size{};
  instance.View()->ViewSize(&size);
  if (!(size.horz >= 1.f && size.vert >= 1.f && size.horz <= 16384.f && size.vert <= 16384.f))
  {
    why = "editor not available: the view reports no size (" + std::to_string(size.horz) + " x " +
          std::to_string(size.vert) + ")";
    return nullptr;
  }
  const auto side = [](float points)
  { return static_cast<std::size_t>(std::ceil(points * kGrowth)) + 1; };
  driver->mPixels.assign(side(size.horz) * side(size.vert) * 4, 0);
  driver->mSurface->pixels = driver->mPixels.data();
  driver->mSurface->pixelCapacity = static_cast<std::int64_t>(driver->mPixels.size());
  for (int frame = 0; frame < kFirstFrameLimit && driver->mSurface->frameCount == 0; ++frame)
    driver->RunFrames(1);
  if (driver->mSurface->frameCount == 0)
  {
    why = "editor not available: the view showed nothing on the host surface in " +
          std::to_string(kFirstFrameLimit) + " frames";
    return nullptr;
  }
  return driver;
}

SurfaceEditorDriver::~SurfaceEditorDriver()
{
  if (mOpen) mInstance.CloseView();
}

void SurfaceEditorDriver::Queue(std::int32_t kind, float x, float y, std::int32_t buttons)
{
  // A full queue waits for the editor's next tick, as a window system's would.
  if (mSurface->eventCount >= AAX_HOST_SURFACE_MAX_EVENTS) RunFrames(1);
  if (mSurface->eventCount >= AAX_HOST_SURFACE_MAX_EVENTS) return;
  AAX_HostSurfaceEvent& e = mSurface->events[mSurface->eventCount] = AAX_HostSurfaceEvent{};
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.buttons = buttons;
  ++mSurface->eventCount;
}

void SurfaceEditorDriver::Press(float x, float y)
{
  Queue(AAX_eHostSurfaceEvent_MouseDown, x, y, AAX_HOST_SURFACE_BUTTON_LEFT);
}

void SurfaceEditorDriver::Drag(float x, float y)
{
  Queue(AAX_eHostSurfaceEvent_MouseMove, x, y, AAX_HOST_SURFACE_BUTTON_LEFT);
}

void SurfaceEditorDriver::Release(float x, float y)
{
  Queue(AAX_eHostSurfaceEvent_MouseUp, x, y, AAX_HOST_SURFACE_BUTTON_LEFT);
}

void SurfaceEditorDriver::SetScreenScale(float scale)
{
  mSurface->screenScale = scale;
}

float SurfaceEditorDriver::ScreenScale() const
{
  return mSurface->screenScale;
}

void SurfaceEditorDriver::RunFrames(int frames)
{
  for (int i = 0; i < frames; ++i)
    aaxhost::HostEventLoop::RunFor(kFrameMs);
}

EditorDriver::Picture SurfaceEditorDriver::Shown() const
{
  Picture picture;
  picture.frames = mSurface->frameCount;
  picture.width = mSurface->widthPixels;
  picture.height = mSurface->heightPixels;
  const std::int64_t bytes =
      static_cast<std::int64_t>(std::max(0, picture.width)) * std::max(0, picture.height) * 4;
  if (picture.frames > 0 && bytes <= mSurface->pixelCapacity)
    picture.rgba.assign(mPixels.begin(), mPixels.begin() + static_cast<std::ptrdiff_t>(bytes));
  return picture;
}

AAX_Result SurfaceEditorDriver::Close()
{
  if (!mOpen) return AAX_SUCCESS;
  mOpen = false;
  return mInstance.CloseView();
}

bool SurfaceEditorDriver::LetGoOfParent(std::string& why)
{
  if (mOpen)
  {
    why = "the view is still open";
    return false;
  }
  const std::int64_t frames = mSurface->frameCount;
  mSurface->eventCount = 0;
  Queue(AAX_eHostSurfaceEvent_MouseMove, 1.f, 1.f, 0);
  RunFrames(3);
  if (mSurface->eventCount == 1 && mSurface->frameCount == frames) return true;
  why = "the editor still takes input from or draws on its parent";
  return false;
}

} // namespace plughost
