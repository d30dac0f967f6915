#pragma once

#include <memory>

namespace iplug
{
class IGEditorDelegate;
}

namespace igraphics
{
class IGraphics;
}

namespace brasmire
{

// The editor's designed size and frame rate, at draw scale 1.
inline constexpr int kEditorWidth = 732;
inline constexpr int kEditorHeight = 208;
inline constexpr int kEditorFps = 60;

// The graphics factory the effect installs: the platform's graphics object for
// the editor, or null in a build without a platform layer (no editor opens).
// [main-thread]
std::unique_ptr<igraphics::IGraphics> MakeEditorGraphics(iplug::IGEditorDelegate& dlg);

// The layout function the effect installs; runs on every opening of the
// editor, on a fresh graphics object. [main-thread]
void LayoutEditor(igraphics::IGraphics& g);

} // namespace brasmire
