#include "IGraphics/Drawing/PathTessellator.h"

#include <algorithm>
#include <cmath>

namespace igraphics
{

namespace
{

constexpr float kPi = 3.14159265358979323846f;
// p of vertices that lie fully inside along a stroke's length.
constexpr float kInside = -1.0f;
// A sharp corner's anti-aliasing offset grows as 1 / sin(angle / 2); beyond this
// many half-pixels it is capped so that spikes stay bounded.
constexpr float kMaxMiterOffset = 4.0f;
constexpr int kMaxBezierDepth = 10;

void PushTriangle(std::vector<RenderVertex>& out, const RenderVertex& a, const RenderVertex& b,
                  const RenderVertex& c)
{
  out.push_back(a);
  out.push_back(b);
  out.push_back(c);
}

void PushQuad(std::vector<RenderVertex>& out, const RenderVertex& a0, const RenderVertex& a1,
              const RenderVertex& b0, const RenderVertex& b1)
{
  PushTriangle(out, a0, a1, b0);
  PushTriangle(out, a1, b1, b0);
}

// Number of segments for an arc of `angle` radians and radius `radius` whose
// chords stay within `tolerance` of the circle.
int ArcSegments(float angle, float radius, float tolerance)
{
  const float ratio = std::clamp(1.0f - tolerance / std::max(radius, 1e-6f), -1.0f, 1.0f);
  const float step = std::max(2.0f * std::acos(ratio), 1e-3f);
  return std::clamp(static_cast<int>(std::ceil(std::fabs(angle) / step)), 2, 128);
}

} // namespace

void PathTessellator::Reset()
{
  elements_.clear();
  points_.clear();
  contours_.clear();
  flattened_ = false;
  hasCurrent_ = false;
}

void PathTessellator::MoveTo(float x, float y)
{
  elements_.push_back({Command::Move, {x, y, 0, 0, 0, 0}});
  flattened_ = false;
  hasCurrent_ = true;
  currentX_ = x;
  currentY_ = y;
}

void PathTessellator::LineTo(float x, float y)
{
  elements_.push_back({Command::Line, {x, y, 0, 0, 0, 0}});
  flattened_ = false;
  hasCurrent_ = true;
  currentX_ = x;
  currentY_ = y;
}

void PathTessellator::BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y)
{
  elements_.push_back({Command::Bezier, {c1x, c1y, c2x, c2y, x, y}});
  flattened_ = false;
  hasCurrent_ = true;
  currentX_ = x;
  currentY_ = y;
}

void PathTessellator::Close()
{
  elements_.push_back({Command::Close, {0, 0, 0, 0, 0, 0}});
  flattened_ = false;
}

void PathTessellator::SetWinding(PathWinding winding)
{
  elements_.push_back(
      {Command::Winding, {winding == PathWinding::Hole ? 1.0f : 0.0f, 0, 0, 0, 0, 0}});
  flattened_ = false;
}

void PathTessellator::StartContour()
{
  Contour contour;
  contour.first = static_cast<int>(points_.size());
  contours_.push_back(contour);
}

void PathTessellator::AddPoint(float x, float y, float minDistance)
{
  Contour& contour = contours_.back();
  if (contour.count > 0)
  {
    const Point& last = points_.back();
    const float dx = x - last.x;
    const float dy = y - last.y;
    if (dx * dx + dy * dy < minDistance * minDistance) return;
  }
  points_.push_back({x, y});
  ++contour.count;
}

void PathTessellator::FlattenBezier(float x1, float y1, float x2, float y2, float x3, float y3,
                                    float x4, float y4, float tolerance, float minDistance,
                                    int depth)
{
  const float dx = x4 - x1;
  const float dy = y4 - y1;
  const float chord2 = dx * dx + dy * dy;
  bool flat;
  if (chord2 > 1e-12f)
  {
    // Distances of the control points from the chord, times the chord's length.
    const float d2 = std::fabs((x2 - x4) * dy - (y2 - y4) * dx);
    const float d3 = std::fabs((x3 - x4) * dy - (y3 - y4) * dx);
    flat = (d2 + d3) * (d2 + d3) <= tolerance * tolerance * chord2;
  }
  else
  {
    const float e2 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
    const float e3 = (x3 - x1) * (x3 - x1) + (y3 - y1) * (y3 - y1);
    flat = std::max(e2, e3) <= tolerance * tolerance;
  }
  if (flat || depth >= kMaxBezierDepth)
  {
    AddPoint(x4, y4, minDistance);
    return;
  }
  const float x12 = 0.5f * (x1 + x2), y12 = 0.5f * (y1 + y2);
  const float x23 = 0.5f * (x2 + x3), y23 = 0.5f * (y2 + y3);
  const float x34 = 0.5f * (x3 + x4), y34 = 0.5f * (y3 + y4);
  const float x123 = 0.5f * (x12 + x23), y123 = 0.5f * (y12 + y23);
  const float x234 = 0.5f * (x23 + x34), y234 = 0.5f * (y23 + y34);
  const float xm = 0.5f * (x123 + x234), ym = 0.5f * (y123 + y234);
  FlattenBezier(x1, y1, x12, y12, x123, y123, xm, ym, tolerance, minDistance, depth + 1);
  FlattenBezier(xm, ym, x234, y234, x34, y34, x4, y4, tolerance, minDistance, depth + 1);
}

void PathTessellator::Flatten(float tolerance, float minDistance)
{
  if (flattened_ && tolerance == flattenTolerance_) return;
  points_.clear();
  contours_.clear();
  float penX = 0.0f;
  float penY = 0.0f;
  bool open = false; // whether a contour accepts further segments
  for (const Element& e : elements_)
  {
    switch (e.command)
    {
    case Command::Move:
      StartContour();
      open = true;
      AddPoint(e.v[0], e.v[1], minDistance);
      penX = e.v[0];
      penY = e.v[1];
      break;
    case Command::Line:
    case Command::Bezier:
      if (!open)
      {
        StartContour();
        open = true;
        AddPoint(penX, penY, minDistance);
      }
      if (e.command == Command::Line)
      {
        AddPoint(e.v[0], e.v[1], minDistance);
        penX = e.v[0];
        penY = e.v[1];
      }
      else
      {
        FlattenBezier(penX, penY, e.v[0], e.v[1], e.v[2], e.v[3], e.v[4], e.v[5], tolerance,
                      minDistance, 0);
        penX = e.v[4];
        penY = e.v[5];
      }
      break;
    case Command::Close:
      if (open && !contours_.empty())
      {
        contours_.back().closed = true;
        const Point& start = points_[static_cast<std::size_t>(contours_.back().first)];
        penX = start.x;
        penY = start.y;
      }
      open = false;
      break;
    case Command::Winding:
      if (!contours_.empty())
        contours_.back().winding = e.v[0] != 0.0f ? PathWinding::Hole : PathWinding::Solid;
      break;
    }
  }
  // A contour that returns to its start is closed; its repeated end point goes.
  for (Contour& c : contours_)
  {
    if (c.count < 2) continue;
    const Point& a = points_[static_cast<std::size_t>(c.first)];
    const Point& b = points_[static_cast<std::size_t>(c.first + c.count - 1)];
    if (std::fabs(a.x - b.x) < minDistance && std::fabs(a.y - b.y) < minDistance)
    {
      --c.count;
      c.closed = true;
    }
  }
  // The removed end points leave gaps in points_; contours address by range, so
  // that is harmless.
  flattened_ = true;
  flattenTolerance_ = tolerance;
}

bool PathTessellator::IsConvex(const Contour& contour) const
{
  if (contour.count < 3) return false;
  const Point* pts = points_.data() + contour.first;
  const int n = contour.count;
  int sign = 0;
  float turning = 0.0f;
  for (int i = 0; i < n; ++i)
  {
    const Point& a = pts[(i + n - 1) % n];
    const Point& b = pts[i];
    const Point& c = pts[(i + 1) % n];
    const float e0x = b.x - a.x, e0y = b.y - a.y;
    const float e1x = c.x - b.x, e1y = c.y - b.y;
    const float cross = e0x * e1y - e0y * e1x;
    const float dot = e0x * e1x + e0y * e1y;
    const float scale = std::sqrt((e0x * e0x + e0y * e0y) * (e1x * e1x + e1y * e1y));
    if (std::fabs(cross) > 1e-6f * scale)
    {
      const int s = cross > 0.0f ? 1 : -1;
      if (sign != 0 && s != sign) return false;
      sign = s;
    }
    turning += std::atan2(cross, dot);
  }
  // A star turns all one way too, but twice around.
  return std::fabs(turning) < 2.0f * kPi + 0.5f;
}

bool PathTessellator::AppendFill(float pixel, float tolerance, std::vector<RenderVertex>& out,
                                 FillGeometry& g)
{
  Flatten(tolerance, pixel * 0.05f);
  g = FillGeometry{};

  // Solid contours all get a positive area (clockwise on a y-down screen) so
  // that their winding counts add up; outward normals are then (dy, -dx).
  int usable = 0;
  const Contour* only = nullptr;
  float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
  for (const Contour& c : contours_)
  {
    if (c.count < 3) continue;
    ++usable;
    only = &c;
    Point* pts = points_.data() + c.first;
    double area = 0.0;
    for (int i = 0; i < c.count; ++i)
    {
      const Point& a = pts[i];
      const Point& b = pts[(i + 1) % c.count];
      area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
      minX = std::min(minX, a.x);
      minY = std::min(minY, a.y);
      maxX = std::max(maxX, a.x);
      maxY = std::max(maxY, a.y);
    }
    if (c.winding == PathWinding::Solid && area < 0.0) std::reverse(pts, pts + c.count);
    if (c.winding == PathWinding::Hole) g.hasHoles = true;
  }
  if (usable == 0) return false;
  g.convex = usable == 1 && only->winding == PathWinding::Solid && IsConvex(*only);

  const float half = 0.5f * pixel;
  // Offsets of each point to where both adjacent edges have moved half a pixel.
  std::vector<Point> offsets;
  const auto computeOffsets = [&](const Contour& c)
  {
    offsets.resize(static_cast<std::size_t>(c.count));
    const Point* pts = points_.data() + c.first;
    for (int i = 0; i < c.count; ++i)
    {
      const Point& a = pts[(i + c.count - 1) % c.count];
      const Point& b = pts[i];
      const Point& d = pts[(i + 1) % c.count];
      float e0x = b.x - a.x, e0y = b.y - a.y;
      float e1x = d.x - b.x, e1y = d.y - b.y;
      const float l0 = std::max(std::sqrt(e0x * e0x + e0y * e0y), 1e-12f);
      const float l1 = std::max(std::sqrt(e1x * e1x + e1y * e1y), 1e-12f);
      e0x /= l0, e0y /= l0, e1x /= l1, e1y /= l1;
      const float mx = 0.5f * (e0y + e1y);
      const float my = 0.5f * (-e0x - e1x);
      const float m2 = mx * mx + my * my;
      float scale = m2 > 1e-6f ? 1.0f / m2 : 0.0f;
      const float length = std::sqrt(m2) * scale;
      if (length > kMaxMiterOffset) scale *= kMaxMiterOffset / length;
      offsets[static_cast<std::size_t>(i)] = {mx * scale * half, my * scale * half};
    }
  };
  const auto appendFringe = [&](const Contour& c)
  {
    const Point* pts = points_.data() + c.first;
    for (int i = 0; i < c.count; ++i)
    {
      const int j = (i + 1) % c.count;
      const Point& a = pts[i];
      const Point& b = pts[j];
      const Point& oa = offsets[static_cast<std::size_t>(i)];
      const Point& ob = offsets[static_cast<std::size_t>(j)];
      PushQuad(out, {a.x - oa.x, a.y - oa.y, -0.5f, kInside},
               {a.x + oa.x, a.y + oa.y, 0.5f, kInside}, {b.x - ob.x, b.y - ob.y, -0.5f, kInside},
               {b.x + ob.x, b.y + ob.y, 0.5f, kInside});
    }
  };

  if (g.convex)
  {
    computeOffsets(*only);
    const Point* pts = points_.data() + only->first;
    g.interiorFirst = static_cast<int>(out.size());
    const RenderVertex origin{pts[0].x - offsets[0].x, pts[0].y - offsets[0].y, -0.5f, kInside};
    for (int i = 1; i + 1 < only->count; ++i)
    {
      const Point& o1 = offsets[static_cast<std::size_t>(i)];
      const Point& o2 = offsets[static_cast<std::size_t>(i + 1)];
      PushTriangle(out, origin, {pts[i].x - o1.x, pts[i].y - o1.y, -0.5f, kInside},
                   {pts[i + 1].x - o2.x, pts[i + 1].y - o2.y, -0.5f, kInside});
    }
    g.interiorCount = static_cast<int>(out.size()) - g.interiorFirst;
    g.fringeFirst = static_cast<int>(out.size());
    appendFringe(*only);
    g.fringeCount = static_cast<int>(out.size()) - g.fringeFirst;
    return true;
  }

  const auto appendFans = [&](PathWinding winding)
  {
    for (const Contour& c : contours_)
    {
      if (c.count < 3 || c.winding != winding) continue;
      const Point* pts = points_.data() + c.first;
      for (int i = 1; i + 1 < c.count; ++i)
        PushTriangle(out, {pts[0].x, pts[0].y, 0, kInside}, {pts[i].x, pts[i].y, 0, kInside},
                     {pts[i + 1].x, pts[i + 1].y, 0, kInside});
    }
  };
  g.interiorFirst = static_cast<int>(out.size());
  appendFans(PathWinding::Solid);
  g.interiorCount = static_cast<int>(out.size()) - g.interiorFirst;
  g.holeFirst = static_cast<int>(out.size());
  appendFans(PathWinding::Hole);
  g.holeCount = static_cast<int>(out.size()) - g.holeFirst;
  g.fringeFirst = static_cast<int>(out.size());
  for (const Contour& c : contours_)
  {
    if (c.count < 3) continue;
    computeOffsets(c);
    appendFringe(c);
  }
  g.fringeCount = static_cast<int>(out.size()) - g.fringeFirst;
  // The cover quad must reach every pixel the fringe marked.
  const float m = 2.0f * kMaxMiterOffset * half + pixel;
  g.coverFirst = static_cast<int>(out.size());
  PushQuad(out, {minX - m, minY - m, 0, kInside}, {maxX + m, minY - m, 0, kInside},
           {minX - m, maxY + m, 0, kInside}, {maxX + m, maxY + m, 0, kInside});
  g.coverCount = 6;
  return true;
}

bool PathTessellator::AppendStroke(float pixel, float tolerance, float halfWidth, LineCap cap,
                                   LineJoin join, float miterLimit, std::vector<RenderVertex>& out,
                                   StrokeGeometry& g)
{
  Flatten(tolerance, pixel * 0.05f);
  g = StrokeGeometry{};
  g.first = static_cast<int>(out.size());
  // Geometry reaches half a pixel beyond the stroke's edge, where the ramp ends.
  const float reach = halfWidth + 0.5f * pixel;
  const float reachPx = reach / pixel;
  g.coverageBias = reachPx;

  const auto rimVertex = [&](const Point& centre, float nx, float ny) {
    return RenderVertex{centre.x + nx * reach, centre.y + ny * reach, reachPx, kInside};
  };
  const auto fan = [&](const Point& centre, float startAngle, float sweep)
  {
    // The ramp is interpolated across each chord, so chords must hug the rim
    // far closer than the outline tolerance for the edge to stay sharp.
    const int segments = ArcSegments(sweep, reach, 0.1f * tolerance);
    const RenderVertex mid{centre.x, centre.y, 0.0f, kInside};
    for (int i = 0; i < segments; ++i)
    {
      const float a0 = startAngle + sweep * static_cast<float>(i) / static_cast<float>(segments);
      const float a1 =
          startAngle + sweep * static_cast<float>(i + 1) / static_cast<float>(segments);
      PushTriangle(out, mid, rimVertex(centre, std::cos(a0), std::sin(a0)),
                   rimVertex(centre, std::cos(a1), std::sin(a1)));
    }
  };
  // Cap at `end`, facing outwards along (dx, dy).
  const auto appendCap = [&](const Point& end, float dx, float dy)
  {
    const float nx = -dy, ny = dx;
    if (cap == LineCap::Round)
    {
      fan(end, std::atan2(ny, nx), -kPi);
      return;
    }
    const float extend = cap == LineCap::Square ? halfWidth : 0.0f;
    const Point inner{end.x + dx * (extend - 0.5f * pixel), end.y + dy * (extend - 0.5f * pixel)};
    const Point outer{end.x + dx * (extend + 0.5f * pixel), end.y + dy * (extend + 0.5f * pixel)};
    PushQuad(out, {inner.x + nx * reach, inner.y + ny * reach, reachPx, -0.5f},
             {inner.x - nx * reach, inner.y - ny * reach, -reachPx, -0.5f},
             {outer.x + nx * reach, outer.y + ny * reach, reachPx, 0.5f},
             {outer.x - nx * reach, outer.y - ny * reach, -reachPx, 0.5f});
  };
  const auto appendJoin = [&](const Point& at, float d0x, float d0y, float d1x, float d1y)
  {
    const float cross = d0x * d1y - d0y * d1x;
    const float dot = d0x * d1x + d0y * d1y;
    if (std::fabs(cross) < 1e-6f && dot > 0.0f) return;
    float n0x = -d0y, n0y = d0x, n1x = -d1y, n1y = d1x;
    // The gap between the two segments opens on the side away from the turn.
    const float side = (n0x * d1x + n0y * d1y) > 0.0f ? -1.0f : 1.0f;
    n0x *= side, n0y *= side, n1x *= side, n1y *= side;
    const float cosTurn = n0x * n1x + n0y * n1y;
    if (join == LineJoin::Round)
    {
      const float a0 = std::atan2(n0y, n0x);
      float sweep = std::atan2(n1y, n1x) - a0;
      while (sweep > kPi)
        sweep -= 2.0f * kPi;
      while (sweep < -kPi)
        sweep += 2.0f * kPi;
      if (std::fabs(std::fabs(sweep) - kPi) < 1e-3f)
      {
        // A U-turn: go round through the forward direction.
        const float mid = a0 + 0.5f * sweep;
        if (std::cos(mid) * d0x + std::sin(mid) * d0y < 0.0f) sweep = -sweep;
      }
      fan(at, a0, sweep);
      return;
    }
    const RenderVertex centre{at.x, at.y, 0.0f, kInside};
    const RenderVertex e0 = rimVertex(at, n0x, n0y);
    const RenderVertex e1 = rimVertex(at, n1x, n1y);
    const float cosHalf2 = 0.5f * (1.0f + cosTurn);
    if (join == LineJoin::Miter && cosHalf2 > 1e-6f && 1.0f / std::sqrt(cosHalf2) <= miterLimit)
    {
      const float k = reach / (1.0f + cosTurn);
      const RenderVertex tip{at.x + (n0x + n1x) * k, at.y + (n0y + n1y) * k, reachPx, kInside};
      PushTriangle(out, centre, e0, tip);
      PushTriangle(out, centre, tip, e1);
      return;
    }
    PushTriangle(out, centre, e0, e1);
  };

  for (const Contour& c : contours_)
  {
    if (c.count < 2) continue;
    const Point* pts = points_.data() + c.first;
    const int n = c.count;
    const bool closed = c.closed && n > 2;
    const int segments = closed ? n : n - 1;
    std::vector<Point> dirs(static_cast<std::size_t>(segments));
    for (int s = 0; s < segments; ++s)
    {
      const Point& a = pts[s];
      const Point& b = pts[(s + 1) % n];
      float dx = b.x - a.x, dy = b.y - a.y;
      const float len = std::max(std::sqrt(dx * dx + dy * dy), 1e-12f);
      dirs[static_cast<std::size_t>(s)] = {dx / len, dy / len};
    }
    for (int s = 0; s < segments; ++s)
    {
      const Point& d = dirs[static_cast<std::size_t>(s)];
      Point a = pts[s];
      Point b = pts[(s + 1) % n];
      if (!closed && cap != LineCap::Round)
      {
        // Butt and square ends leave the last half pixel to the cap's ramp.
        const float shift = (cap == LineCap::Square ? halfWidth : 0.0f) - 0.5f * pixel;
        if (s == 0) a = {a.x - d.x * shift, a.y - d.y * shift};
        if (s == segments - 1) b = {b.x + d.x * shift, b.y + d.y * shift};
      }
      const float nx = -d.y, ny = d.x;
      PushQuad(out, {a.x + nx * reach, a.y + ny * reach, reachPx, kInside},
               {a.x - nx * reach, a.y - ny * reach, -reachPx, kInside},
               {b.x + nx * reach, b.y + ny * reach, reachPx, kInside},
               {b.x - nx * reach, b.y - ny * reach, -reachPx, kInside});
    }
    const int firstJoin = closed ? 0 : 1;
    const int lastJoin = closed ? n - 1 : n - 2;
    for (int i = firstJoin; i <= lastJoin; ++i)
    {
      const Point& d0 = dirs[static_cast<std::size_t>((i + segments - 1) % segments)];
      const Point& d1 = dirs[static_cast<std::size_t>(i % segments)];
      appendJoin(pts[i], d0.x, d0.y, d1.x, d1.y);
    }
    if (!closed)
    {
      appendCap(pts[0], -dirs.front().x, -dirs.front().y);
      appendCap(pts[n - 1], dirs.back().x, dirs.back().y);
    }
  }
  g.count = static_cast<int>(out.size()) - g.first;
  return g.count > 0;
}

} // namespace igraphics
