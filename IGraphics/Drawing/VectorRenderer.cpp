#include "IGraphics/Drawing/VectorRenderer.h"

#include "IGraphics/Drawing/DecodedImage.h"
#include "IGraphics/Drawing/FontCollection.h"
#include "IGraphics/Drawing/GlBackend.h"
#include "IGraphics/Drawing/PathTessellator.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace igraphics
{

namespace
{

constexpr float kPi = 3.14159265358979323846f;
constexpr std::size_t kMaxStates = 32;
// Control-point distance that makes a cubic follow a quarter circle.
constexpr float kQuarterCircle = 0.5522847493f;

struct State
{
  BlendState blend;
  Paint fill = Paint::Solid(Color{1.0f, 1.0f, 1.0f, 1.0f});
  Paint stroke = Paint::Solid(Color{0.0f, 0.0f, 0.0f, 1.0f});
  float strokeWidth = 1.0f;
  float miterLimit = 10.0f;
  LineCap cap = LineCap::Butt;
  LineJoin join = LineJoin::Miter;
  float alpha = 1.0f;
  Transform xform;
  ScissorRect scissor;
  int font = -1;
  float fontSize = 16.0f;
  int align = kAlignLeft | kAlignBaseline;
};

} // namespace

struct VectorRenderer::Impl
{
  std::shared_ptr<GlBackend> backend;
  FontCollection fonts;
  PathTessellator path;
  std::vector<State> states{State{}};
  std::vector<TextQuad> quads;
  float ratio = 1.0f;
  float pixel = 1.0f;
  bool inFrame = false;

  State& Top() { return states.back(); }
  const State& Top() const { return states.back(); }
  void Point(float x, float y, float& ox, float& oy) const { Top().xform.Apply(x, y, ox, oy); }
  // The paint as the frame sees it: in frame units, with the global alpha.
  Paint Resolve(const Paint& paint, float alphaScale) const
  {
    Paint p = paint;
    p.xform = Top().xform.Then(paint.xform);
    p.innerColor.a *= Top().alpha * alphaScale;
    p.outerColor.a *= Top().alpha * alphaScale;
    return p;
  }
};

std::unique_ptr<VectorRenderer> VectorRenderer::Create(int flags, std::string* error)
{
  auto impl = std::make_unique<Impl>();
  impl->backend = std::make_shared<GlBackend>();
  std::string reason;
  if (!impl->backend->Initialise((flags & kEdgeAntialias) != 0, reason))
  {
    if (error) *error = reason;
    return nullptr;
  }
  return std::unique_ptr<VectorRenderer>(new VectorRenderer(std::move(impl)));
}

VectorRenderer::VectorRenderer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

VectorRenderer::~VectorRenderer() = default;

void VectorRenderer::BeginFrame(float width, float height, float pixelRatio)
{
  Impl& m = *impl_;
  m.ratio = pixelRatio > 0.0f ? pixelRatio : 1.0f;
  m.pixel = 1.0f / m.ratio;
  m.states.assign(1, State{});
  m.path.Reset();
  m.fonts.StartFrame();
  m.backend->BeginFrame(std::max(width, 1e-3f), std::max(height, 1e-3f), m.pixel);
  m.inFrame = true;
}

void VectorRenderer::CancelFrame()
{
  impl_->backend->CancelFrame();
  impl_->inFrame = false;
}

void VectorRenderer::EndFrame()
{
  impl_->backend->EndFrame(impl_->fonts.Atlas());
  impl_->inFrame = false;
}

bool VectorRenderer::InFrame() const
{
  return impl_->inFrame;
}

void VectorRenderer::SetViewport(int x, int y, int width, int height)
{
  impl_->backend->Gl().Viewport(x, y, std::max(width, 0), std::max(height, 0));
}

void VectorRenderer::ClearTarget(float r, float g, float b, float a)
{
  GlFunctions& gl = impl_->backend->Gl();
  gl.ClearColor(r, g, b, a);
  gl.ClearStencil(0);
  gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.StencilMask(0xFF);
  gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

bool VectorRenderer::ReadPixels(int x, int y, int width, int height, std::uint8_t* rgba)
{
  if (!rgba || width <= 0 || height <= 0) return false;
  GlFunctions& gl = impl_->backend->Gl();
  gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return gl.GetError() == GL_NO_ERROR;
}

int VectorRenderer::CurrentFramebufferBinding()
{
  GLint bound = 0;
  impl_->backend->Gl().GetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  return bound;
}

void VectorRenderer::Finish()
{
  impl_->backend->Gl().Finish();
}

void VectorRenderer::BindFramebufferObject(int name)
{
  impl_->backend->Gl().BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(std::max(name, 0)));
}

bool VectorRenderer::CanCopyFramebuffer() const
{
  return impl_->backend->Gl().BlitFramebuffer != nullptr;
}

bool VectorRenderer::CopyFramebuffer(const Framebuffer& source, int target)
{
  GlFunctions& gl = impl_->backend->Gl();
  if (!gl.BlitFramebuffer) return false;
  // Scissor boxes of the last frame would clip the copy.
  gl.Disable(GL_SCISSOR_TEST);
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, source.Name());
  gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(target));
  gl.BlitFramebuffer(0, 0, source.Width(), source.Height(), 0, 0, source.Width(), source.Height(),
                     GL_COLOR_BUFFER_BIT, GL_NEAREST);
  gl.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target));
  return true;
}

std::unique_ptr<Framebuffer> VectorRenderer::CreateFramebuffer(int width, int height,
                                                               int imageFlags)
{
  GlBackend& backend = *impl_->backend;
  GlFunctions& gl = backend.Gl();
  const int image = backend.CreateTexture(
      width, height, imageFlags | kImageFlipY | kImagePremultiplied, false, nullptr);
  if (!image) return nullptr;
  const int previous = CurrentFramebufferBinding();
  GLuint fbo = 0, rbo = 0;
  gl.GenFramebuffers(1, &fbo);
  gl.GenRenderbuffers(1, &rbo);
  gl.BindFramebuffer(GL_FRAMEBUFFER, fbo);
  gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                          backend.TextureName(image), 0);
  gl.BindRenderbuffer(GL_RENDERBUFFER, rbo);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_STENCIL_INDEX8, width, height);
  gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, rbo);
  bool complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (!complete)
  {
    // Drivers without stand-alone stencil buffers take a packed depth-stencil one.
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, rbo);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, rbo);
    complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
  gl.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  if (!complete)
  {
    gl.DeleteFramebuffers(1, &fbo);
    gl.DeleteRenderbuffers(1, &rbo);
    backend.DeleteTexture(image);
    return nullptr;
  }
  return std::unique_ptr<Framebuffer>(
      new Framebuffer(impl_->backend, fbo, rbo, image, width, height));
}

bool VectorRenderer::Save()
{
  if (impl_->states.size() >= kMaxStates) return false;
  impl_->states.push_back(impl_->states.back());
  return true;
}

void VectorRenderer::Restore()
{
  if (impl_->states.size() > 1) impl_->states.pop_back();
}

void VectorRenderer::Reset()
{
  impl_->Top() = State{};
}

void VectorRenderer::SetBlendFactors(BlendFactor src, BlendFactor dst)
{
  impl_->Top().blend = BlendState{src, dst, src, dst};
}

void VectorRenderer::SetBlendState(const BlendState& blend)
{
  impl_->Top().blend = blend;
}

void VectorRenderer::SetGlobalAlpha(float alpha)
{
  impl_->Top().alpha = std::clamp(alpha, 0.0f, 1.0f);
}

void VectorRenderer::ResetTransform()
{
  impl_->Top().xform = Transform::Identity();
}

void VectorRenderer::ApplyTransform(const Transform& t)
{
  impl_->Top().xform = impl_->Top().xform.Then(t);
}

void VectorRenderer::Translate(float x, float y)
{
  ApplyTransform(Transform::Translation(x, y));
}
void VectorRenderer::Rotate(float radians)
{
  ApplyTransform(Transform::Rotation(radians));
}
void VectorRenderer::Scale(float sx, float sy)
{
  ApplyTransform(Transform::Scaling(sx, sy));
}
Transform VectorRenderer::CurrentTransform() const
{
  return impl_->Top().xform;
}

void VectorRenderer::Scissor(float x, float y, float w, float h)
{
  w = std::max(w, 0.0f);
  h = std::max(h, 0.0f);
  State& s = impl_->Top();
  s.scissor.xform = s.xform.Then(Transform::Translation(x + 0.5f * w, y + 0.5f * h));
  s.scissor.extent[0] = 0.5f * w;
  s.scissor.extent[1] = 0.5f * h;
}

void VectorRenderer::ResetScissor()
{
  impl_->Top().scissor = ScissorRect{};
}

void VectorRenderer::SetFillColor(Color color)
{
  impl_->Top().fill = Paint::Solid(color);
}
void VectorRenderer::SetFillPaint(const Paint& paint)
{
  impl_->Top().fill = paint;
}
void VectorRenderer::SetStrokeColor(Color color)
{
  impl_->Top().stroke = Paint::Solid(color);
}
void VectorRenderer::SetStrokePaint(const Paint& paint)
{
  impl_->Top().stroke = paint;
}
void VectorRenderer::SetStrokeWidth(float width)
{
  impl_->Top().strokeWidth = std::max(width, 0.0f);
}
void VectorRenderer::SetMiterLimit(float limit)
{
  impl_->Top().miterLimit = std::max(limit, 0.0f);
}
void VectorRenderer::SetLineCap(LineCap cap)
{
  impl_->Top().cap = cap;
}
void VectorRenderer::SetLineJoin(LineJoin join)
{
  impl_->Top().join = join;
}

void VectorRenderer::BeginPath()
{
  impl_->path.Reset();
}

void VectorRenderer::MoveTo(float x, float y)
{
  float fx, fy;
  impl_->Point(x, y, fx, fy);
  impl_->path.MoveTo(fx, fy);
}

void VectorRenderer::LineTo(float x, float y)
{
  float fx, fy;
  impl_->Point(x, y, fx, fy);
  impl_->path.LineTo(fx, fy);
}

void VectorRenderer::BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y)
{
  float a, b, c, d, e, f;
  impl_->Point(c1x, c1y, a, b);
  impl_->Point(c2x, c2y, c, d);
  impl_->Point(x, y, e, f);
  impl_->path.BezierTo(a, b, c, d, e, f);
}

void VectorRenderer::QuadTo(float cx, float cy, float x, float y)
{
  // Raised to a cubic from the current point, in user space.
  Transform inverse;
  if (!impl_->path.HasCurrentPoint() || !impl_->Top().xform.Inverse(inverse))
  {
    LineTo(x, y);
    return;
  }
  float x0, y0;
  inverse.Apply(impl_->path.CurrentX(), impl_->path.CurrentY(), x0, y0);
  BezierTo(x0 + 2.0f / 3.0f * (cx - x0), y0 + 2.0f / 3.0f * (cy - y0), x + 2.0f / 3.0f * (cx - x),
           y + 2.0f / 3.0f * (cy - y), x, y);
}

void VectorRenderer::Arc(float cx, float cy, float r, float a0, float a1, ArcDirection direction)
{
  float sweep = a1 - a0;
  if (direction == ArcDirection::Clockwise)
  {
    if (std::fabs(sweep) >= 2.0f * kPi)
      sweep = 2.0f * kPi;
    else
      while (sweep < 0.0f)
        sweep += 2.0f * kPi;
  }
  else
  {
    if (std::fabs(sweep) >= 2.0f * kPi)
      sweep = -2.0f * kPi;
    else
      while (sweep > 0.0f)
        sweep -= 2.0f * kPi;
  }
  const int segments =
      std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / (0.5f * kPi) - 1e-4f)), 1, 4);
  const float step = sweep / static_cast<float>(segments);
  // Control points of a cubic spanning `step` radians of a circle.
  const float k = 4.0f / 3.0f * std::tan(step / 4.0f) * r;
  float angle = a0;
  float px = cx + std::cos(angle) * r;
  float py = cy + std::sin(angle) * r;
  if (impl_->path.HasCurrentPoint())
    LineTo(px, py);
  else
    MoveTo(px, py);
  for (int i = 0; i < segments; ++i)
  {
    const float next = angle + step;
    const float nx = cx + std::cos(next) * r;
    const float ny = cy + std::sin(next) * r;
    BezierTo(px - std::sin(angle) * k, py + std::cos(angle) * k, nx + std::sin(next) * k,
             ny - std::cos(next) * k, nx, ny);
    angle = next;
    px = nx;
    py = ny;
  }
}

void VectorRenderer::Rect(float x, float y, float w, float h)
{
  MoveTo(x, y);
  LineTo(x, y + h);
  LineTo(x + w, y + h);
  LineTo(x + w, y);
  ClosePath();
}

void VectorRenderer::RoundedRect(float x, float y, float w, float h, float r)
{
  r = std::min(r, 0.5f * std::min(std::fabs(w), std::fabs(h)));
  if (r < 0.1f)
  {
    Rect(x, y, w, h);
    return;
  }
  const float k = r * (1.0f - kQuarterCircle);
  MoveTo(x, y + r);
  LineTo(x, y + h - r);
  BezierTo(x, y + h - k, x + k, y + h, x + r, y + h);
  LineTo(x + w - r, y + h);
  BezierTo(x + w - k, y + h, x + w, y + h - k, x + w, y + h - r);
  LineTo(x + w, y + r);
  BezierTo(x + w, y + k, x + w - k, y, x + w - r, y);
  LineTo(x + r, y);
  BezierTo(x + k, y, x, y + k, x, y + r);
  ClosePath();
}

void VectorRenderer::Ellipse(float cx, float cy, float rx, float ry)
{
  const float kx = rx * kQuarterCircle;
  const float ky = ry * kQuarterCircle;
  MoveTo(cx - rx, cy);
  BezierTo(cx - rx, cy + ky, cx - kx, cy + ry, cx, cy + ry);
  BezierTo(cx + kx, cy + ry, cx + rx, cy + ky, cx + rx, cy);
  BezierTo(cx + rx, cy - ky, cx + kx, cy - ry, cx, cy - ry);
  BezierTo(cx - kx, cy - ry, cx - rx, cy - ky, cx - rx, cy);
  ClosePath();
}

void VectorRenderer::ClosePath()
{
  impl_->path.Close();
}
void VectorRenderer::SetPathWinding(PathWinding winding)
{
  impl_->path.SetWinding(winding);
}

void VectorRenderer::Fill()
{
  Impl& m = *impl_;
  if (!m.inFrame) return;
  FillGeometry geometry;
  if (m.path.AppendFill(m.pixel, 0.25f * m.pixel, m.backend->Vertices(), geometry))
    m.backend->AddFill(m.Resolve(m.Top().fill, 1.0f), m.Top().scissor, m.Top().blend, geometry);
}

void VectorRenderer::Stroke()
{
  Impl& m = *impl_;
  if (!m.inFrame) return;
  const State& s = m.Top();
  float width = s.strokeWidth * s.xform.AverageScale();
  float alphaScale = 1.0f;
  // Hairlines draw one pixel wide with their coverage in the alpha instead.
  if (width < m.pixel)
  {
    alphaScale = width / m.pixel;
    width = m.pixel;
  }
  StrokeGeometry geometry;
  if (m.path.AppendStroke(m.pixel, 0.25f * m.pixel, 0.5f * width, s.cap, s.join, s.miterLimit,
                          m.backend->Vertices(), geometry))
    m.backend->AddStroke(m.Resolve(s.stroke, alphaScale), s.scissor, s.blend, geometry);
}

int VectorRenderer::CreateImageFromFile(const char* path, int imageFlags)
{
  DecodedImage decoded;
  if (!decoded.Load(path)) return 0;
  return CreateImageRgba(decoded.Width(), decoded.Height(), imageFlags, decoded.Pixels());
}

int VectorRenderer::CreateImageFromMemory(const std::uint8_t* bytes, std::size_t size,
                                          int imageFlags)
{
  DecodedImage decoded;
  if (!decoded.Decode(bytes, size)) return 0;
  return CreateImageRgba(decoded.Width(), decoded.Height(), imageFlags, decoded.Pixels());
}

int VectorRenderer::CreateImageRgba(int width, int height, int imageFlags, const std::uint8_t* rgba)
{
  return impl_->backend->CreateTexture(width, height, imageFlags, false, rgba);
}

bool VectorRenderer::UpdateImage(int image, const std::uint8_t* rgba)
{
  return impl_->backend->UpdateTexture(image, rgba);
}

bool VectorRenderer::ImageSize(int image, int& width, int& height) const
{
  return impl_->backend->TextureSize(image, width, height);
}

int VectorRenderer::MaxImageSize() const
{
  return impl_->backend->MaxTextureSize();
}

void VectorRenderer::LimitMaxImageSize(int limit)
{
  impl_->backend->LimitMaxTextureSize(limit);
}

void VectorRenderer::DeleteImage(int image)
{
  impl_->backend->DeleteTexture(image);
}

int VectorRenderer::CreateFontFromMemory(const char* name, const std::uint8_t* data,
                                         std::size_t size, int faceIndex)
{
  return impl_->fonts.AddFont(name, data, size, faceIndex);
}

int VectorRenderer::FindFont(const char* name) const
{
  return impl_->fonts.Find(name);
}
void VectorRenderer::SetFontFace(const char* name)
{
  impl_->Top().font = impl_->fonts.Find(name);
}

void VectorRenderer::SetFontFace(int font)
{
  impl_->Top().font = font;
}
void VectorRenderer::SetFontSize(float size)
{
  impl_->Top().fontSize = std::max(size, 0.0f);
}
void VectorRenderer::SetTextAlign(int align)
{
  impl_->Top().align = align;
}

bool VectorRenderer::TextMetrics(float& ascender, float& descender, float& lineHeight) const
{
  const State& s = impl_->Top();
  return impl_->fonts.VerticalMetrics(s.font, s.fontSize, ascender, descender, lineHeight);
}

float VectorRenderer::TextBounds(float x, float y, const char* text, const char* end,
                                 float* bounds) const
{
  const State& s = impl_->Top();
  return impl_->fonts.Measure(s.font, s.fontSize, s.align, x, y, text, end, bounds);
}

float VectorRenderer::Text(float x, float y, const char* text, const char* end)
{
  Impl& m = *impl_;
  const State& s = m.Top();
  const float scale = s.xform.AverageScale();
  m.quads.clear();
  const float advance =
      m.fonts.Layout(s.font, s.fontSize, m.ratio * scale, s.align, x, y, text, end, m.quads);
  float startX = x;
  if (s.align & kAlignCenter)
    startX -= 0.5f * advance;
  else if (s.align & kAlignRight)
    startX -= advance;
  if (!m.inFrame || m.quads.empty()) return startX + advance;
  std::vector<RenderVertex>& out = m.backend->Vertices();
  const int first = static_cast<int>(out.size());
  const bool axisAligned = s.xform.xy == 0.0f && s.xform.yx == 0.0f;
  for (const TextQuad& q : m.quads)
  {
    float x0, y0, x1, y1, x2, y2, x3, y3;
    s.xform.Apply(q.x0, q.y0, x0, y0);
    s.xform.Apply(q.x1, q.y0, x1, y1);
    s.xform.Apply(q.x1, q.y1, x2, y2);
    s.xform.Apply(q.x0, q.y1, x3, y3);
    if (axisAligned)
    {
      // Glyph bitmaps were rasterised on the pixel grid; keep them on it.
      const float dx =
          (std::round(std::min(x0, x2) * m.ratio) - std::min(x0, x2) * m.ratio) * m.pixel;
      const float dy =
          (std::round(std::min(y0, y2) * m.ratio) - std::min(y0, y2) * m.ratio) * m.pixel;
      x0 += dx, x1 += dx, x2 += dx, x3 += dx;
      y0 += dy, y1 += dy, y2 += dy, y3 += dy;
    }
    const RenderVertex a{x0, y0, q.s0, q.t0};
    const RenderVertex b{x1, y1, q.s1, q.t0};
    const RenderVertex c{x2, y2, q.s1, q.t1};
    const RenderVertex d{x3, y3, q.s0, q.t1};
    out.insert(out.end(), {a, b, c, a, c, d});
  }
  m.backend->AddGlyphs(m.Resolve(s.fill, 1.0f), s.scissor, s.blend, first,
                       static_cast<int>(out.size()) - first);
  return startX + advance;
}

} // namespace igraphics
