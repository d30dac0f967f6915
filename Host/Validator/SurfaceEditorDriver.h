#pragma once

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "Host/Validator/EditorDriver.h"

#include <memory>
#include <vector>

namespace plughost
{

// The editor driver of hosts without a window system (Linux): the view's
// parent is an AAX_HostSurface the driver owns, input goes into the surface's
// event queue and the picture comes out of its pixel buffer, all between the
// editor's timer ticks in the host's event loop. The surface outlives the
// view, so an editor that keeps it after closing is seen, not a crash.
// [main-thread]
class SurfaceEditorDriver final : public EditorDriver
{
public:
  static std::unique_ptr<EditorDriver> Open(aaxhost::HostInstance& instance, std::string& why);
  ~SurfaceEditorDriver() override;

  void Press(float x, float y) override;
  void Drag(float x, float y) override;
  void Release(float x, float y) override;
  void SetScreenScale(float scale) override;
  float ScreenScale() const override;
  bool SetsScreenScale(std::string&) const override { return true; }
  void RunFrames(int frames) override;
  Picture Shown() const override;
  // The surface is the picture: whatever the editor writes is read.
  bool PictureReachesHost(std::string&) const override { return true; }
  AAX_Result Close() override;
  // Queued input is left untaken and no frame is drawn.
  bool LetGoOfParent(std::string& why) override;

  // Room for the largest picture: the opened size at twice the draw scale and
  // twice the screen scale.
  static constexpr int kGrowth = 4;
  // One frame of the host's loop: longer than the editor's 60 Hz tick.
  static constexpr std::uint32_t kFrameMs = 20;

private:
  explicit SurfaceEditorDriver(aaxhost::HostInstance& instance);
  void Queue(std::int32_t kind, float x, float y, std::int32_t buttons);

  aaxhost::HostInstance& mInstance;
  std::unique_ptr<AAX_HostSurface> mSurface; // written by the view while it is open
  std::vector<std::uint8_t> mPixels;         // the surface's pixel buffer
  bool mOpen = false;
};

} // namespace plughost
