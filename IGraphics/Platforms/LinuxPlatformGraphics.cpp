// The platform factory of Linux builds: editors open on a host surface.

#include "IGraphics/IGraphicsPlatform.h"
#include "IGraphics/Platforms/IGraphicsLinux.h"

namespace igraphics
{

std::unique_ptr<IGraphics> MakePlatformGraphics(iplug::IGEditorDelegate& dlg, int width, int height,
                                                int fps, float drawScale)
{
  return std::make_unique<IGraphicsLinux>(dlg, width, height, fps, drawScale);
}

} // namespace igraphics
