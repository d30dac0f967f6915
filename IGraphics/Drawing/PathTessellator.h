#pragma once

#include "IGraphics/Drawing/RenderVertex.h"
#include "IGraphics/Drawing/RendererTypes.h"

#include <vector>

namespace igraphics
{

// Ranges of vertices (triangle lists) that make up one fill.
struct FillGeometry
{
  bool convex = false; // one convex solid contour: drawn directly, no stencil
  bool hasHoles = false;
  int interiorFirst = 0; // convex: the inset polygon; otherwise the solid contours' fans
  int interiorCount = 0;
  int holeFirst = 0; // fans of hole contours (stencil fills only)
  int holeCount = 0;
  int fringeFirst = 0; // anti-aliasing band along every edge
  int fringeCount = 0;
  int coverFirst = 0; // bounding quad that resolves the stencil (6 vertices)
  int coverCount = 0;
};

// Ranges of vertices (triangle lists) that make up one stroke.
struct StrokeGeometry
{
  int first = 0;
  int count = 0;
  float coverageBias = 1.0f; // c0 of the coverage ramp: half width in pixels + 0.5
};

// Turns a path (commands in frame units) into triangles for filling and
// stroking. Curves are flattened into line segments no further than the given
// tolerance from the true curve.
class PathTessellator
{
public:
  struct Point
  {
    float x;
    float y;
  };
  struct Contour
  {
    int first = 0;
    int count = 0;
    bool closed = false;
    PathWinding winding = PathWinding::Solid;
  };

  void Reset();
  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
  void Close();
  // Sets the winding of the current sub-path.
  void SetWinding(PathWinding winding);
  bool HasCurrentPoint() const { return hasCurrent_; }
  float CurrentX() const { return currentX_; }
  float CurrentY() const { return currentY_; }

  // Flattens the commands into contours. `tolerance` is the largest distance of
  // a segment from its curve, `minDistance` the distance below which
  // consecutive points merge. Cached until the path changes.
  void Flatten(float tolerance, float minDistance);
  const std::vector<Point>& Points() const { return points_; }
  const std::vector<Contour>& Contours() const { return contours_; }

  // `pixel` is the size of one device pixel in frame units. False when the
  // path covers nothing.
  bool AppendFill(float pixel, float tolerance, std::vector<RenderVertex>& out,
                  FillGeometry& geometry);
  bool AppendStroke(float pixel, float tolerance, float halfWidth, LineCap cap, LineJoin join,
                    float miterLimit, std::vector<RenderVertex>& out, StrokeGeometry& geometry);

private:
  enum class Command
  {
    Move,
    Line,
    Bezier,
    Close,
    Winding
  };
  struct Element
  {
    Command command;
    float v[6];
  };

  void AddPoint(float x, float y, float minDistance);
  void FlattenBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                     float tolerance, float minDistance, int depth);
  void StartContour();
  bool IsConvex(const Contour& contour) const;

  std::vector<Element> elements_;
  std::vector<Point> points_;
  std::vector<Contour> contours_;
  bool flattened_ = false;
  float flattenTolerance_ = 0.0f;
  bool hasCurrent_ = false;
  float currentX_ = 0.0f;
  float currentY_ = 0.0f;
};

} // namespace igraphics
