// The platform factory of Windows builds: editors open in a child window.

#include "IGraphics/IGraphicsPlatform.h"
#include "IGraphics/Platforms/IGraphicsWin.h"

namespace igraphics
{

std::unique_ptr<IGraphics> MakePlatformGraphics(iplug::IGEditorDelegate& dlg, int width, int height,
                                                int fps, float drawScale)
{
  return std::make_unique<IGraphicsWin>(dlg, width, height, fps, drawScale);
}

} // namespace igraphics
