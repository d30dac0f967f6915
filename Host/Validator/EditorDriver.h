#pragma once

#include "Host/HostInstance.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plughost
{

// The validator's hands and eyes on an open editor: it opens an instance's
// view on a native parent of this platform, feeds it pointer input as a user
// would, changes the screen scale, runs the host's event loop and reads what
// the editor shows. On Linux the parent is the host surface (SurfaceEditorDriver);
// a platform without a driver yet answers "editor not available", and the
// checks report SKIP. On Windows the parent is a top-level window of the
// host (WindowEditorDriver) and input goes as window messages. [main-thread]
class EditorDriver
{
public:
  // What the editor showed last: premultiplied RGBA rows top to bottom.
  struct Picture
  {
    std::int32_t width = 0;  // pixels
    std::int32_t height = 0; // pixels
    std::int64_t frames = 0; // frames the editor has shown
    std::vector<std::uint8_t> rgba;
  };

  // The instance's view opened on a parent of this platform and shown once;
  // null with the reason ("editor not available: ...") when there is no
  // editor to drive.
  static std::unique_ptr<EditorDriver> Open(aaxhost::HostInstance& instance, std::string& why);

  EditorDriver(const EditorDriver&) = delete;
  EditorDriver& operator=(const EditorDriver&) = delete;
  // Closes the view if still open.
  virtual ~EditorDriver() = default;

  // Pointer input at editor points (the editor's own coordinates, before any
  // scaling), delivered in order at the editor's next frame.
  virtual void Press(float x, float y) = 0;
  virtual void Drag(float x, float y) = 0; // a move with the button held
  virtual void Release(float x, float y) = 0;
  // Pixels per point of the "screen" the editor is shown on; 1 when opened
  // where the driver can set it, else the display's.
  virtual void SetScreenScale(float scale) = 0;
  virtual float ScreenScale() const = 0;
  // False with the reason where the screen scale is the display's and
  // SetScreenScale cannot change it.
  virtual bool SetsScreenScale(std::string& why) const = 0;

  // Runs the host's event loop for `frames` editor frames; input queued
  // before is delivered first.
  virtual void RunFrames(int frames) = 0;
  virtual Picture Shown() const = 0;
  // False with the reason when what the editor draws does not reach the
  // picture Shown reads (a probe of this system, not of the editor).
  virtual bool PictureReachesHost(std::string& why) const = 0;

  // Closes the view as a host does (the container removed).
  virtual AAX_Result Close() = 0;
  // After Close: runs frames and looks at the parent; true when the editor
  // let go of it, else false with what it kept.
  virtual bool LetGoOfParent(std::string& why) = 0;

protected:
  EditorDriver() = default;
};

} // namespace plughost
