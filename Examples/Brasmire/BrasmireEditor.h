#pragma once

#include <memory>
#include <string>

namespace iplug
{
class IGEditorDelegate;
}

namespace igraphics
{
class IControl;
class IGraphics;
} // namespace igraphics

namespace brasmire
{

// The editor's designed size and frame rate, at draw scale 1.
inline constexpr int kEditorWidth = 732;
inline constexpr int kEditorHeight = 208;
inline constexpr int kEditorFps = 60;

// The graphics factory the effect installs: the platform's graphics object for
// the editor, finding its pictures and font among this module's resources, or
// null in a build without a platform layer (no editor opens). [main-thread]
std::unique_ptr<igraphics::IGraphics> MakeEditorGraphics(iplug::IGEditorDelegate& dlg);

// The layout function the effect installs; runs on every opening of the
// editor, on a fresh graphics object: background, four knobs, two switches,
// the value bubble and the corner resizer. [main-thread]
void LayoutEditor(igraphics::IGraphics& g);

// What the value bubble shows for a control: its first parameter's display
// text at the control's value, with the parameter's label after a space when
// it has one ("12 dB", "Oversampling On"); empty without a parameter.
// [main-thread]
std::string ValueBubbleText(const igraphics::IControl& control);

// The action of the knobs and the oversampling switch: shows the value bubble
// centred above the control (below it when there is no room above).
// [main-thread]
void ShowValueBubble(igraphics::IControl* control);

} // namespace brasmire
