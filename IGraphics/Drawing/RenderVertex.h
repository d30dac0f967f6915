#pragma once

namespace igraphics
{

// One vertex of the renderer's geometry, in frame units. `q` and `p` drive the
// anti-aliasing ramp in device pixels: q is the signed distance across an edge
// or from a stroke's centre line, p the distance beyond a stroke's end (values
// at or below -0.5 mean "fully inside"). Text vertices carry atlas texel
// coordinates in q and p instead.
struct RenderVertex
{
  float x;
  float y;
  float q;
  float p;
};

} // namespace igraphics
