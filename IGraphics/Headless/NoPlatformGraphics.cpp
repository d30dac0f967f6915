// A build without a platform layer has no window to open an editor in.

#include "IGraphics/IGraphics.h"
#include "IGraphics/IGraphicsPlatform.h"

namespace igraphics
{

std::unique_ptr<IGraphics> MakePlatformGraphics(iplug::IGEditorDelegate&, int, int, int, float)
{
  return nullptr;
}

} // namespace igraphics
