#pragma once

#include <memory>

namespace iplug
{
class IGEditorDelegate;
}

namespace igraphics
{

class IGraphics;

// The platform's graphics object (window layer on its drawing back end) for
// an editor of `width` × `height` points, `fps` frames per second and draw
// scale `drawScale`; null when the build has no platform layer, so that no
// editor opens. Each platform library defines it (target igraphics_platform);
// a build without one links igraphics_no_platform. [main-thread]
std::unique_ptr<IGraphics> MakePlatformGraphics(iplug::IGEditorDelegate& dlg, int width, int height,
                                                int fps, float drawScale);

} // namespace igraphics
