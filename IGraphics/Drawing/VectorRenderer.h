#pragma once

#include "IGraphics/Drawing/Color.h"
#include "IGraphics/Drawing/Framebuffer.h"
#include "IGraphics/Drawing/Paint.h"
#include "IGraphics/Drawing/RendererTypes.h"
#include "IGraphics/Drawing/Transform.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace igraphics
{

// Our OpenGL 2 vector renderer: anti-aliased paths, paints, images, offscreen
// framebuffers and text, drawn in frames.
//
// One renderer belongs to one GL context and is used only on the thread where
// that context is current [main-thread]: create it with the context current,
// draw between BeginFrame and EndFrame, delete it (and its framebuffers) before
// the context goes. Coordinates are frame units, y pointing down; the pixel
// ratio of the frame says how many device pixels one unit spans. Drawing
// commands record geometry; EndFrame sends the whole frame to GL at once.
class VectorRenderer
{
public:
  enum CreateFlags : int
  {
    kEdgeAntialias = 1 << 0
  };

  // Loads GL through our own loader and builds the shaders. Null (with a
  // reason in `error`) when the context lacks what the renderer needs.
  static std::unique_ptr<VectorRenderer> Create(int flags, std::string* error = nullptr);
  ~VectorRenderer();
  VectorRenderer(const VectorRenderer&) = delete;
  VectorRenderer& operator=(const VectorRenderer&) = delete;

  // Frames. Begin resets the state stack to one default state. The viewport
  // must cover width x pixelRatio by height x pixelRatio device pixels of the
  // bound target (scissor boxes are placed on that grid).
  void BeginFrame(float width, float height, float pixelRatio);
  void CancelFrame();
  void EndFrame();
  bool InFrame() const;

  // The GL target (outside frames).
  void SetViewport(int x, int y, int width, int height);
  // Clears colour (to the given premultiplied colour), depth and stencil.
  void ClearTarget(float r, float g, float b, float a);
  // Reads RGBA bytes of the bound target, rows bottom-up. False on bad arguments.
  bool ReadPixels(int x, int y, int width, int height, std::uint8_t* rgba);
  int CurrentFramebufferBinding();
  // Waits until GL has carried out everything sent so far.
  void Finish();
  // Binds a GL framebuffer object by name (0 is the window's).
  void BindFramebufferObject(int name);
  void BindFramebuffer(const Framebuffer& framebuffer)
  {
    BindFramebufferObject(static_cast<int>(framebuffer.Name()));
  }
  // Whether CopyFramebuffer can work: the driver has framebuffer blits.
  bool CanCopyFramebuffer() const;
  // Copies the framebuffer's pixels one to one onto the lower-left corner of
  // the GL framebuffer `target` (outside frames), which stays bound. False,
  // copying nothing, without framebuffer blits.
  bool CopyFramebuffer(const Framebuffer& source, int target);
  // A framebuffer of the given size in pixels with a stencil buffer; its image
  // gets `imageFlags` plus kImageFlipY | kImagePremultiplied. Null on failure.
  // The previously bound framebuffer stays bound.
  std::unique_ptr<Framebuffer> CreateFramebuffer(int width, int height, int imageFlags);

  // State: transform, scissor, paints, stroke style, blend, alpha, text style.
  // Save returns false (and saves nothing) when the stack is full.
  bool Save();
  void Restore();
  void Reset();

  void SetBlendFactors(BlendFactor src, BlendFactor dst);
  void SetBlendState(const BlendState& blend);
  void SetGlobalAlpha(float alpha);

  void ResetTransform();
  // The new transform maps user points through `t` first, then the old one.
  void ApplyTransform(const Transform& t);
  void Translate(float x, float y);
  void Rotate(float radians);
  void Scale(float sx, float sy);
  Transform CurrentTransform() const;

  // Clips drawing to a rectangle in the current transform (rotated ones too);
  // replaces any previous scissor. Negative sizes count as 0.
  void Scissor(float x, float y, float w, float h);
  void ResetScissor();

  void SetFillColor(Color color);
  void SetFillPaint(const Paint& paint);
  void SetStrokeColor(Color color);
  void SetStrokePaint(const Paint& paint);
  void SetStrokeWidth(float width);
  void SetMiterLimit(float limit);
  void SetLineCap(LineCap cap);
  void SetLineJoin(LineJoin join);

  // Paths, in user coordinates at the time of each command.
  void BeginPath();
  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
  void QuadTo(float cx, float cy, float x, float y);
  // Arc around (cx, cy) from angle a0 to a1 (radians, 0 along +x, positive
  // turning clockwise on screen); starts with a line from the current point.
  void Arc(float cx, float cy, float r, float a0, float a1, ArcDirection direction);
  void Rect(float x, float y, float w, float h);
  void RoundedRect(float x, float y, float w, float h, float r);
  void Ellipse(float cx, float cy, float rx, float ry);
  void Circle(float cx, float cy, float r) { Ellipse(cx, cy, r, r); }
  void ClosePath();
  void SetPathWinding(PathWinding winding);
  void Fill();
  void Stroke();

  // Images. Ids are positive; 0 means failure. Decoding handles PNG and JPEG.
  int CreateImageFromFile(const char* path, int imageFlags);
  int CreateImageFromMemory(const std::uint8_t* bytes, std::size_t size, int imageFlags);
  int CreateImageRgba(int width, int height, int imageFlags, const std::uint8_t* rgba);
  bool UpdateImage(int image, const std::uint8_t* rgba);
  bool ImageSize(int image, int& width, int& height) const;
  // Images wider or taller than this are refused: the context's limit, unless
  // lowered (a limit <= 0 restores the context's), as tests of small-limit
  // drivers do.
  int MaxImageSize() const;
  void LimitMaxImageSize(int limit);
  void DeleteImage(int image);

  // Fonts. The bytes stay the caller's and must outlive the renderer. Returns
  // the font id, or -1 when the bytes hold no font at that face index.
  int CreateFontFromMemory(const char* name, const std::uint8_t* data, std::size_t size,
                           int faceIndex);
  int FindFont(const char* name) const;
  void SetFontFace(int font);
  // By the name the font was created with; an unknown name selects no font.
  void SetFontFace(const char* name);
  // Distance from descender to ascender, in user units.
  void SetFontSize(float size);
  void SetTextAlign(int align);
  // Ascender (above the baseline, positive), descender (negative) and line height.
  bool TextMetrics(float& ascender, float& descender, float& lineHeight) const;
  // Horizontal advance of the text; `bounds` receives minX, minY, maxX, maxY of its
  // line box and outlines placed at (x, y) by the text alignment. `end` may be null.
  float TextBounds(float x, float y, const char* text, const char* end, float* bounds) const;
  // Draws the text with the fill paint; returns the x where it ends.
  float Text(float x, float y, const char* text, const char* end);

private:
  struct Impl;
  explicit VectorRenderer(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

} // namespace igraphics
