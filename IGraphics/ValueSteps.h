#pragma once

// How drags and wheel events of the behaviour bases turn into values. Shared
// by knobs and sliders so both move the same way.

namespace iplug
{
class IParam;
}

namespace igraphics
{

// Whether the parameter wants values on its steps (QuantiseToStep, step > 0).
bool IsQuantised(const iplug::IParam* param);

// The change of a normalised value for a drag of `moved` points along an area
// `span` points long (negative span: moving towards lower coordinates
// increases). A full-span drag changes the value by 1/gearing, ten times less
// when `fine`. An area without extent changes nothing.
double DragChange(double moved, double span, double gearing, bool fine);

// `normal` rounded to the parameter's steps when it is quantised, else as is.
double QuantiseNormal(const iplug::IParam* param, double normal);

// The value after one wheel event: exactly one step up or down for a quantised
// parameter (clamped to 0..1), else `current` + delta × 0.01 (0.001 when
// `fine`), unclamped.
double WheelValue(const iplug::IParam* param, double current, float delta, bool fine);

} // namespace igraphics
