#include "IGraphics/Drawing/GlBackend.h"

#include "IGraphics/Drawing/GlyphAtlas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace igraphics
{

namespace
{

// Paint and scissor coordinates are affine in the position, so the vertex
// stage works them out and the fragments only interpolate them.
const char* const kVertexShader = R"(
uniform vec2 viewSize;
uniform vec4 frag[13];
attribute vec2 vertex;
attribute vec2 ramp;
varying vec2 framp;
varying vec2 fpaint;
varying vec2 fscissor;
void main()
{
  framp = ramp;
  vec3 p = vec3(vertex, 1.0);
  fpaint = (mat3(frag[3].xyz, frag[4].xyz, frag[5].xyz) * p).xy;
#if defined(PAINT_IMAGE)
  fpaint /= frag[9].xy;
  fpaint.y = mix(fpaint.y, 1.0 - fpaint.y, frag[11].y);
#endif
  fscissor = (mat3(frag[0].xyz, frag[1].xyz, frag[2].xyz) * p).xy;
  gl_Position = vec4(2.0 * vertex.x / viewSize.x - 1.0, 1.0 - 2.0 * vertex.y / viewSize.y, 0.0, 1.0);
}
)";

// frag[0..2] scissor matrix, [3..5] paint matrix, [6] inner and [7] outer colour
// (premultiplied), [8] scissor extent and scale, [9] box extent, radius,
// feather, [10] coverage c0, c1, c2 and discard threshold, [11] paint kind,
// texel kind, flip-y, coverage kind, [12] glyph atlas size.
// frag[0..2] scissor matrix, [3..5] paint matrix, [6] inner and [7] outer colour
// (premultiplied), [8] scissor extent and scale, [9] box extent, radius,
// feather, [10] coverage c0, c1, c2 and discard threshold, [11] unused,
// flip-y flag, steepness of the ramp along strokes, [12] glyph atlas size.
// Textures hold premultiplied colour, so an image draw is one texture fetch
// times a colour: the shape a software rasteriser's fast paths recognise. Each combination of
// paint, coverage and scissor is its own program: a software rasteriser runs every side of a
// branch, so uniform-driven branches would cost all paths per pixel.
const char* const kFragmentShader = R"(
uniform vec4 frag[13];
uniform sampler2D tex;
varying vec2 framp;
varying vec2 fpaint;
varying vec2 fscissor;
float boxDistance(vec2 pt, vec2 ext, float rad)
{
  vec2 d = abs(pt) - ext + vec2(rad);
  return min(max(d.x, d.y), 0.0) + length(max(d, 0.0)) - rad;
}
void main()
{
#if defined(PAINT_GRADIENT)
  float t = clamp((boxDistance(fpaint, frag[9].xy, frag[9].z) + 0.5 * frag[9].w) / frag[9].w, 0.0, 1.0);
  vec4 color = mix(frag[6], frag[7], t);
#elif defined(PAINT_IMAGE)
  vec4 color = texture2D(tex, fpaint) * frag[6];
#elif defined(PAINT_SOLID)
  vec4 color = frag[6];
#else
  vec4 color = vec4(1.0);
#endif
#if defined(COVERAGE_FULL)
  float coverage = 1.0;
#elif defined(COVERAGE_GLYPH)
  float coverage = texture2D(tex, framp / frag[12].xy).a;
#else
  float coverage = clamp(frag[10].x + frag[10].y * framp.x + frag[10].z * abs(framp.x), 0.0, 1.0)
                 * clamp(0.5 - frag[11].z * framp.y, 0.0, 1.0);
#if defined(COVERAGE_DISCARD)
  if (coverage < frag[10].w)
    discard;
#endif
#endif
#if defined(SCISSOR)
  vec2 sc = vec2(0.5) - (abs(fscissor) - frag[8].xy) * frag[8].zw;
  coverage *= clamp(sc.x, 0.0, 1.0) * clamp(sc.y, 0.0, 1.0);
#endif
  gl_FragColor = color * coverage;
}
)";

// Shader variant bits: the paint kind in the low two bits, then coverage and scissor.
enum ShaderVariant : int
{
  kPaintGradient = 0,
  kPaintImage = 1,
  kPaintSolid = 2,
  kPaintNone = 3,
  kPaintMask = 3,
  kCoverageGlyph = 1 << 2,
  kCoverageDiscard = 1 << 3,
  kScissor = 1 << 4,
  kCoverageFull = 1 << 5 // interiors: every pixel fully covered, no ramp to work out
};

// Fragments of a stroke's first pass must be fully covered.
constexpr float kSolidThreshold = 1.0f - 1.0f / 512.0f;
// Slope that turns a coverage ramp into a step when edges are not anti-aliased.
constexpr float kSteepRamp = 1.0e4f;

GLenum ToGl(BlendFactor f)
{
  switch (f)
  {
  case BlendFactor::Zero:
    return GL_ZERO;
  case BlendFactor::One:
    return GL_ONE;
  case BlendFactor::SrcColor:
    return GL_SRC_COLOR;
  case BlendFactor::OneMinusSrcColor:
    return GL_ONE_MINUS_SRC_COLOR;
  case BlendFactor::DstColor:
    return GL_DST_COLOR;
  case BlendFactor::OneMinusDstColor:
    return GL_ONE_MINUS_DST_COLOR;
  case BlendFactor::SrcAlpha:
    return GL_SRC_ALPHA;
  case BlendFactor::OneMinusSrcAlpha:
    return GL_ONE_MINUS_SRC_ALPHA;
  case BlendFactor::DstAlpha:
    return GL_DST_ALPHA;
  case BlendFactor::OneMinusDstAlpha:
    return GL_ONE_MINUS_DST_ALPHA;
  case BlendFactor::SrcAlphaSaturate:
    return GL_SRC_ALPHA_SATURATE;
  }
  return GL_ONE;
}

void SetMatrix(float* dst, const Transform& t)
{
  // Three vec4 columns of a 3x3 matrix.
  const float m[12] = {t.xx, t.yx, 0.0f, 0.0f, t.xy, t.yy, 0.0f, 0.0f, t.tx, t.ty, 1.0f, 0.0f};
  std::memcpy(dst, m, sizeof(m));
}

void Premultiply(float* dst, const Color& c)
{
  dst[0] = c.r * c.a;
  dst[1] = c.g * c.a;
  dst[2] = c.b * c.a;
  dst[3] = c.a;
}

bool OpaquePixels(const void* pixels, int w, int h, bool alphaOnly)
{
  if (!pixels || alphaOnly) return false;
  const auto* p = static_cast<const std::uint8_t*>(pixels);
  const std::size_t count = static_cast<std::size_t>(w) * h;
  for (std::size_t i = 0; i < count; ++i)
    if (p[i * 4 + 3] != 255) return false;
  return true;
}

// Texels as GL gets them: premultiplied (straight input is converted here,
// which also keeps bilinear filtering from bleeding colour out of transparent
// texels).
const void* PremultipliedTexels(const void* pixels, int w, int h, int flags, bool alphaOnly,
                                bool opaque, std::vector<std::uint8_t>& storage)
{
  if (!pixels || alphaOnly || opaque || (flags & kImagePremultiplied)) return pixels;
  const auto* p = static_cast<const std::uint8_t*>(pixels);
  storage.resize(static_cast<std::size_t>(w) * h * 4);
  for (std::size_t i = 0; i < storage.size(); i += 4)
  {
    const unsigned a = p[i + 3];
    for (int c = 0; c < 3; ++c)
      storage[i + c] = static_cast<std::uint8_t>((p[i + c] * a + 127) / 255);
    storage[i + 3] = static_cast<std::uint8_t>(a);
  }
  return storage.data();
}

bool CompileShader(GlFunctions& gl, GLuint shader, const std::string& text, std::string& error)
{
  const char* source = text.c_str();
  gl.ShaderSource(shader, 1, &source, nullptr);
  gl.CompileShader(shader);
  GLint ok = 0;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return true;
  char log[1024] = {};
  gl.GetShaderInfoLog(shader, sizeof(log) - 1, nullptr, log);
  error = std::string("shader compilation failed: ") + log;
  return false;
}

} // namespace

GlBackend::~GlBackend()
{
  if (!gl_.DeleteProgram) return;
  for (auto& [id, texture] : textures_)
    gl_.DeleteTextures(1, &texture.name);
  if (atlasTexture_) gl_.DeleteTextures(1, &atlasTexture_);
  if (vertexBuffer_) gl_.DeleteBuffers(1, &vertexBuffer_);
  for (auto& [variant, program] : programs_)
    gl_.DeleteProgram(program.name);
}

bool GlBackend::Initialise(bool edgeAntialias, std::string& error)
{
  edgeAntialias_ = edgeAntialias;
  const char* missing = nullptr;
  if (!gl_.LoadFromPlatform(&missing))
  {
    error = std::string("OpenGL function not available: ") + (missing ? missing : "?");
    gl_ = GlFunctions{};
    return false;
  }
  while (gl_.GetError() != GL_NO_ERROR)
  {
  }
  // The plainest variant proves the shaders compile before anything is drawn.
  if (!ProgramFor(kPaintSolid, &error)) return false;
  gl_.GenBuffers(1, &vertexBuffer_);
  GLint maxSize = 0;
  gl_.GetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  contextMaxTextureSize_ = maxTextureSize_ = maxSize;
  if (gl_.GetError() != GL_NO_ERROR)
  {
    error = "OpenGL error while setting up the renderer";
    return false;
  }
  return true;
}

void GlBackend::LimitMaxTextureSize(int limit)
{
  maxTextureSize_ = limit > 0 ? std::min(limit, contextMaxTextureSize_) : contextMaxTextureSize_;
}

GlBackend::Program* GlBackend::ProgramFor(int variant, std::string* error)
{
  const auto found = programs_.find(variant);
  if (found != programs_.end()) return found->second.name ? &found->second : nullptr;
  std::string defines = "#version 120\n";
  // Both stages see the same defines.
  static const char* const kPaints[] = {"PAINT_GRADIENT", "PAINT_IMAGE", "PAINT_SOLID",
                                        "PAINT_NONE"};
  defines += std::string("#define ") + kPaints[variant & kPaintMask] + "\n";
  if (variant & kCoverageGlyph) defines += "#define COVERAGE_GLYPH\n";
  if (variant & kCoverageFull) defines += "#define COVERAGE_FULL\n";
  if (variant & kCoverageDiscard) defines += "#define COVERAGE_DISCARD\n";
  if (variant & kScissor) defines += "#define SCISSOR\n";
  std::string reason;
  Program program;
  const GLuint vs = gl_.CreateShader(GL_VERTEX_SHADER);
  const GLuint fs = gl_.CreateShader(GL_FRAGMENT_SHADER);
  bool ok = CompileShader(gl_, vs, defines + kVertexShader, reason) &&
            CompileShader(gl_, fs, defines + kFragmentShader, reason);
  if (ok)
  {
    program.name = gl_.CreateProgram();
    gl_.AttachShader(program.name, vs);
    gl_.AttachShader(program.name, fs);
    gl_.BindAttribLocation(program.name, 0, "vertex");
    gl_.BindAttribLocation(program.name, 1, "ramp");
    gl_.LinkProgram(program.name);
    GLint linked = 0;
    gl_.GetProgramiv(program.name, GL_LINK_STATUS, &linked);
    if (!linked)
    {
      char log[1024] = {};
      gl_.GetProgramInfoLog(program.name, sizeof(log) - 1, nullptr, log);
      reason = std::string("shader linking failed: ") + log;
      gl_.DeleteProgram(program.name);
      program.name = 0;
      ok = false;
    }
  }
  gl_.DeleteShader(vs);
  gl_.DeleteShader(fs);
  if (ok)
  {
    program.viewSize = gl_.GetUniformLocation(program.name, "viewSize");
    program.frag = gl_.GetUniformLocation(program.name, "frag");
    program.texture = gl_.GetUniformLocation(program.name, "tex");
  }
  else if (error)
    *error = reason;
  // A failed variant is remembered too, so it is not compiled again every call.
  Program& stored = programs_[variant];
  stored = program;
  return stored.name ? &stored : nullptr;
}

int GlBackend::CreateTexture(int w, int h, int imageFlags, bool alphaOnly, const void* pixels)
{
  if (w <= 0 || h <= 0) return 0;
  if (w > maxTextureSize_ || h > maxTextureSize_) return 0;
  Texture t;
  t.width = w;
  t.height = h;
  t.flags = imageFlags;
  t.alphaOnly = alphaOnly;
  t.opaque = OpaquePixels(pixels, w, h, alphaOnly);
  gl_.GenTextures(1, &t.name);
  gl_.BindTexture(GL_TEXTURE_2D, t.name);
  gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLenum format = alphaOnly ? GL_ALPHA : GL_RGBA;
  std::vector<std::uint8_t> storage;
  gl_.TexImage2D(GL_TEXTURE_2D, 0, alphaOnly ? GL_ALPHA : GL_RGBA8, w, h, 0, format,
                 GL_UNSIGNED_BYTE,
                 PremultipliedTexels(pixels, w, h, imageFlags, alphaOnly, t.opaque, storage));
  const GLint filter = (imageFlags & kImageNearest) ? GL_NEAREST : GL_LINEAR;
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                    (imageFlags & kImageRepeatX) ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T,
                    (imageFlags & kImageRepeatY) ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  gl_.BindTexture(GL_TEXTURE_2D, 0);
  if (gl_.GetError() != GL_NO_ERROR)
  {
    gl_.DeleteTextures(1, &t.name);
    return 0;
  }
  const int id = nextImage_++;
  textures_.emplace(id, t);
  return id;
}

bool GlBackend::UpdateTexture(int image, const void* pixels)
{
  const auto found = textures_.find(image);
  if (found == textures_.end() || !pixels) return false;
  Texture& t = found->second;
  t.opaque = OpaquePixels(pixels, t.width, t.height, t.alphaOnly);
  gl_.BindTexture(GL_TEXTURE_2D, t.name);
  gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  std::vector<std::uint8_t> storage;
  gl_.TexSubImage2D(
      GL_TEXTURE_2D, 0, 0, 0, t.width, t.height, t.alphaOnly ? GL_ALPHA : GL_RGBA, GL_UNSIGNED_BYTE,
      PremultipliedTexels(pixels, t.width, t.height, t.flags, t.alphaOnly, t.opaque, storage));
  gl_.BindTexture(GL_TEXTURE_2D, 0);
  return true;
}

bool GlBackend::TextureSize(int image, int& w, int& h) const
{
  const auto found = textures_.find(image);
  if (found == textures_.end())
  {
    w = h = 0;
    return false;
  }
  w = found->second.width;
  h = found->second.height;
  return true;
}

unsigned GlBackend::TextureName(int image) const
{
  const auto found = textures_.find(image);
  return found == textures_.end() ? 0u : found->second.name;
}

void GlBackend::DeleteTexture(int image)
{
  const auto found = textures_.find(image);
  if (found == textures_.end()) return;
  if (!calls_.empty())
  {
    pendingDeletes_.push_back(image);
    return;
  }
  gl_.DeleteTextures(1, &found->second.name);
  textures_.erase(found);
}

void GlBackend::BeginFrame(float width, float height, float pixel)
{
  CancelFrame();
  inFrame_ = true;
  viewWidth_ = width;
  viewHeight_ = height;
  pixel_ = pixel;
}

void GlBackend::CancelFrame()
{
  inFrame_ = false;
  vertices_.clear();
  calls_.clear();
  uniforms_.clear();
  const std::vector<int> pending = std::move(pendingDeletes_);
  pendingDeletes_.clear();
  for (int image : pending)
    DeleteTexture(image);
}

GlBackend::Uniforms GlBackend::PaintUniforms(const Paint& paint, const ScissorRect& scissor) const
{
  Uniforms u{};
  float* v = u.v;
  if (scissor.extent[0] < 0.0f)
  {
    v[32] = v[33] = 1.0f; // extent
    v[34] = v[35] = 1.0f; // scale; the zero matrix keeps every point inside
  }
  else
  {
    Transform inverse;
    scissor.xform.Inverse(inverse);
    SetMatrix(v + 0, inverse);
    const Transform& x = scissor.xform;
    v[32] = scissor.extent[0];
    v[33] = scissor.extent[1];
    v[34] = std::sqrt(x.xx * x.xx + x.yx * x.yx) / pixel_;
    v[35] = std::sqrt(x.xy * x.xy + x.yy * x.yy) / pixel_;
  }
  Transform paintInverse;
  paint.xform.Inverse(paintInverse);
  SetMatrix(v + 12, paintInverse);
  Premultiply(v + 24, paint.innerColor);
  Premultiply(v + 28, paint.outerColor);
  v[36] = paint.extent[0];
  v[37] = paint.extent[1];
  v[38] = paint.radius;
  v[39] = std::max(paint.feather, 1e-4f); // hand-made paints may leave it 0
  if (paint.image)
  {
    u.program = kPaintImage;
    const auto found = textures_.find(paint.image);
    if (found != textures_.end())
    {
      const Texture& t = found->second;
      v[45] = (t.flags & kImageFlipY) ? 1.0f : 0.0f;
    }
  }
  else if (paint.innerColor == paint.outerColor)
    u.program = kPaintSolid;
  else
    u.program = kPaintGradient;
  if (scissor.extent[0] >= 0.0f) u.program |= kScissor;
  return u;
}

void GlBackend::SetClipBox(Call& call, const ScissorRect& scissor) const
{
  if (scissor.extent[0] < 0.0f) return;
  float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
  for (const float sx : {-1.0f, 1.0f})
    for (const float sy : {-1.0f, 1.0f})
    {
      float x, y;
      scissor.xform.Apply(sx * scissor.extent[0], sy * scissor.extent[1], x, y);
      minX = std::min(minX, x);
      minY = std::min(minY, y);
      maxX = std::max(maxX, x);
      maxY = std::max(maxY, y);
    }
  // One pixel of slack keeps the shader's anti-aliased scissor edge intact.
  const float slack = ScissorOnPixelGrid(scissor) ? 0.0f : 1.0f;
  const float viewHeightPx = std::round(viewHeight_ / pixel_);
  const float left = std::round(std::floor(minX / pixel_ + 1e-3f) - slack);
  const float right = std::round(std::ceil(maxX / pixel_ - 1e-3f) + slack);
  const float top = std::round(std::floor(minY / pixel_ + 1e-3f) - slack);
  const float bottom = std::round(std::ceil(maxY / pixel_ - 1e-3f) + slack);
  constexpr float kLimit = 1 << 24;
  call.clipped = true;
  call.clipBox[0] = static_cast<int>(std::clamp(left, -kLimit, kLimit));
  call.clipBox[1] = static_cast<int>(std::clamp(viewHeightPx - bottom, -kLimit, kLimit));
  call.clipBox[2] = static_cast<int>(std::clamp(right - left, 0.0f, kLimit));
  call.clipBox[3] = static_cast<int>(std::clamp(bottom - top, 0.0f, kLimit));
}

bool GlBackend::ScissorOnPixelGrid(const ScissorRect& scissor) const
{
  const Transform& x = scissor.xform;
  if (scissor.extent[0] < 0.0f || x.xy != 0.0f || x.yx != 0.0f) return false;
  const auto whole = [&](float v)
  {
    const float px = v / pixel_;
    return std::fabs(px - std::round(px)) < 1e-3f;
  };
  const float hx = x.xx * scissor.extent[0];
  const float hy = x.yy * scissor.extent[1];
  return whole(x.tx - hx) && whole(x.tx + hx) && whole(x.ty - hy) && whole(x.ty + hy);
}

bool GlBackend::IsOpaque(const Paint& paint) const
{
  if (paint.image)
  {
    const auto found = textures_.find(paint.image);
    return found != textures_.end() && found->second.opaque && paint.innerColor.a >= 1.0f;
  }
  return paint.innerColor.a >= 1.0f && paint.outerColor.a >= 1.0f;
}

bool GlBackend::IsPixelAligned(const Paint& paint) const
{
  const auto found = textures_.find(paint.image);
  if (found == textures_.end() || (found->second.flags & kImageNearest)) return false;
  Transform inverse;
  if (!paint.xform.Inverse(inverse) || inverse.xy != 0.0f || inverse.yx != 0.0f) return false;
  // Texel coordinate of device pixel i: a * i + b; aligned when a = 1 and the
  // pixel centres (i + 0.5) land on texel centres, i.e. b is a whole number.
  const Texture& t = found->second;
  const float ax = inverse.xx * pixel_ * t.width / paint.extent[0];
  const float bx = inverse.tx * t.width / paint.extent[0];
  const float ay = inverse.yy * pixel_ * t.height / paint.extent[1];
  const float by = inverse.ty * t.height / paint.extent[1];
  const auto whole = [](float v) { return std::fabs(v - std::round(v)) < 1e-3f; };
  return std::fabs(ax - 1.0f) < 1e-4f && std::fabs(ay - 1.0f) < 1e-4f && whole(bx) && whole(by);
}

void GlBackend::SetCoverage(Uniforms& u, float c0, float c1, float c2, float threshold) const
{
  u.v[46] = edgeAntialias_ ? 1.0f : kSteepRamp;
  if (!edgeAntialias_)
  {
    // Without edge anti-aliasing the ramp becomes a step at its half-way point.
    c0 = 0.5f + kSteepRamp * (c0 - 0.5f);
    c1 *= kSteepRamp;
    c2 *= kSteepRamp;
  }
  u.v[40] = c0;
  u.v[41] = c1;
  u.v[42] = c2;
  u.v[43] = threshold;
}

void GlBackend::AddFill(const Paint& paint, const ScissorRect& scissor, const BlendState& blend,
                        const FillGeometry& geometry)
{
  if (!inFrame_ || (paint.image && !textures_.count(paint.image))) return;
  Call call;
  call.kind = geometry.convex ? CallKind::ConvexFill : CallKind::StencilFill;
  call.image = paint.image;
  call.pixelAligned = paint.image && IsPixelAligned(paint);
  call.opaqueInterior = geometry.convex && blend == BlendState{} && IsOpaque(paint) &&
                        (scissor.extent[0] < 0.0f || ScissorOnPixelGrid(scissor));
  call.fill = geometry;
  call.blend = blend;
  SetClipBox(call, scissor);
  call.uniforms = static_cast<int>(uniforms_.size());
  Uniforms base = PaintUniforms(paint, scissor);
  if (geometry.convex)
  {
    // Interior vertices sit at q = -0.5, so one ramp serves interior and fringe.
    SetCoverage(base, 0.5f, -1.0f, 0.0f, -1.0f);
    uniforms_.push_back(base);
    Uniforms interior = base;
    interior.program |= kCoverageFull;
    uniforms_.push_back(interior);
  }
  else
  {
    Uniforms marking{};
    marking.v[32] = marking.v[33] = marking.v[34] = marking.v[35] = 1.0f;
    marking.program = kPaintNone;
    SetCoverage(marking, 1.0f, 0.0f, 0.0f, -1.0f);
    uniforms_.push_back(marking);
    Uniforms outside = base; // fringe pixels outside the shape: 0.5 - distance
    SetCoverage(outside, 0.5f, 0.0f, -1.0f, -1.0f);
    uniforms_.push_back(outside);
    Uniforms inside = base; // fringe pixels inside the shape: 0.5 + distance
    SetCoverage(inside, 0.5f, 0.0f, 1.0f, -1.0f);
    uniforms_.push_back(inside);
    Uniforms cover = base;
    SetCoverage(cover, 1.0f, 0.0f, 0.0f, -1.0f);
    cover.program |= kCoverageFull;
    uniforms_.push_back(cover);
  }
  calls_.push_back(call);
}

void GlBackend::AddStroke(const Paint& paint, const ScissorRect& scissor, const BlendState& blend,
                          const StrokeGeometry& geometry)
{
  if (!inFrame_ || (paint.image && !textures_.count(paint.image))) return;
  Call call;
  call.kind = CallKind::Stroke;
  call.image = paint.image;
  call.stroke = geometry;
  call.blend = blend;
  SetClipBox(call, scissor);
  call.uniforms = static_cast<int>(uniforms_.size());
  Uniforms solid = PaintUniforms(paint, scissor);
  Uniforms fringe = solid;
  if (edgeAntialias_)
  {
    SetCoverage(solid, geometry.coverageBias, 0.0f, -1.0f, kSolidThreshold);
    solid.program |= kCoverageDiscard;
  }
  else
    SetCoverage(solid, geometry.coverageBias, 0.0f, -1.0f, -1.0f);
  uniforms_.push_back(solid);
  SetCoverage(fringe, geometry.coverageBias, 0.0f, -1.0f, -1.0f);
  uniforms_.push_back(fringe);
  Uniforms clear{};
  clear.v[32] = clear.v[33] = clear.v[34] = clear.v[35] = 1.0f;
  clear.program = kPaintNone;
  SetCoverage(clear, 1.0f, 0.0f, 0.0f, -1.0f);
  uniforms_.push_back(clear);
  calls_.push_back(call);
}

void GlBackend::AddGlyphs(const Paint& paint, const ScissorRect& scissor, const BlendState& blend,
                          int first, int count)
{
  if (!inFrame_ || count <= 0 || paint.image) return;
  Call call;
  call.kind = CallKind::Glyphs;
  call.stroke.first = first;
  call.stroke.count = count;
  call.blend = blend;
  SetClipBox(call, scissor);
  call.uniforms = static_cast<int>(uniforms_.size());
  Uniforms u = PaintUniforms(paint, scissor);
  u.program |= kCoverageGlyph;
  uniforms_.push_back(u);
  calls_.push_back(call);
}

void GlBackend::UseUniforms(int index)
{
  const Uniforms& u = uniforms_[static_cast<std::size_t>(index)];
  Program* program = ProgramFor(u.program, nullptr);
  if (!program)
  {
    // Not expected once the plainest variant compiled; draw nothing rather
    // than fall back to fixed-function output.
    gl_.UseProgram(0);
    current_ = nullptr;
    gl_.ColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    return;
  }
  if (program != current_)
  {
    gl_.UseProgram(program->name);
    gl_.Uniform2f(program->viewSize, viewWidth_, viewHeight_);
    gl_.Uniform1i(program->texture, 0);
    current_ = program;
  }
  gl_.Uniform4fv(program->frag, kUniformVec4s, u.v);
}

void GlBackend::BindImage(int image)
{
  gl_.BindTexture(GL_TEXTURE_2D, image ? TextureName(image) : 0);
}

void GlBackend::ApplyBlend(const BlendState& b)
{
  gl_.BlendFuncSeparate(ToGl(b.srcColor), ToGl(b.dstColor), ToGl(b.srcAlpha), ToGl(b.dstAlpha));
}

void GlBackend::UploadAtlas(GlyphAtlas& atlas)
{
  gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (!atlasTexture_ || atlas.Resized())
  {
    if (!atlasTexture_) gl_.GenTextures(1, &atlasTexture_);
    gl_.BindTexture(GL_TEXTURE_2D, atlasTexture_);
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, atlas.Width(), atlas.Height(), 0, GL_ALPHA,
                   GL_UNSIGNED_BYTE, atlas.Pixels());
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    atlasWidth_ = atlas.Width();
    atlasHeight_ = atlas.Height();
  }
  else if (atlas.DirtyBottom() > atlas.DirtyTop())
  {
    gl_.BindTexture(GL_TEXTURE_2D, atlasTexture_);
    const int top = atlas.DirtyTop();
    gl_.TexSubImage2D(GL_TEXTURE_2D, 0, 0, top, atlas.Width(), atlas.DirtyBottom() - top, GL_ALPHA,
                      GL_UNSIGNED_BYTE,
                      atlas.Pixels() + static_cast<std::size_t>(top) * atlas.Width());
  }
  atlas.ClearDirty();
}

void GlBackend::DrawConvexFill(const Call& call)
{
  const FillGeometry& g = call.fill;
  UseUniforms(call.uniforms + 1);
  if (call.opaqueInterior)
  {
    gl_.BlendFuncSeparate(GL_ONE, GL_ZERO, GL_ONE, GL_ZERO);
    gl_.DrawArrays(GL_TRIANGLES, g.interiorFirst, g.interiorCount);
    ApplyBlend(call.blend);
  }
  else
    gl_.DrawArrays(GL_TRIANGLES, g.interiorFirst, g.interiorCount);
  // Without anti-aliasing the steep ramp makes the band's inner half solid.
  UseUniforms(call.uniforms);
  gl_.DrawArrays(GL_TRIANGLES, g.fringeFirst, g.fringeCount);
}

void GlBackend::DrawStencilFill(const Call& call)
{
  const FillGeometry& g = call.fill;
  gl_.Enable(GL_STENCIL_TEST);
  gl_.ColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  UseUniforms(call.uniforms);
  // Winding of the solid contours in the low seven bits, counted up on
  // front-facing and down on back-facing triangles of each fan.
  gl_.StencilMask(0x7F);
  gl_.StencilFunc(GL_ALWAYS, 0, 0xFF);
  gl_.StencilOpSeparate(GL_FRONT, GL_KEEP, GL_KEEP, GL_INCR_WRAP);
  gl_.StencilOpSeparate(GL_BACK, GL_KEEP, GL_KEEP, GL_DECR_WRAP);
  gl_.DrawArrays(GL_TRIANGLES, g.interiorFirst, g.interiorCount);
  if (g.hasHoles)
  {
    // Parity of the hole contours in the top bit.
    gl_.StencilMask(0x80);
    gl_.StencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
    gl_.DrawArrays(GL_TRIANGLES, g.holeFirst, g.holeCount);
  }
  // Any non-zero winding becomes 1 in the low bits...
  gl_.StencilMask(0x7F);
  gl_.StencilFunc(GL_LEQUAL, 0x01, 0x7F);
  gl_.StencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  gl_.DrawArrays(GL_TRIANGLES, g.coverFirst, g.coverCount);
  if (g.hasHoles)
  {
    // ...and an odd hole parity flips it, so bit 0 alone tells "covered".
    gl_.StencilMask(0x01);
    gl_.StencilFunc(GL_EQUAL, 0x80, 0x80);
    gl_.StencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
    gl_.DrawArrays(GL_TRIANGLES, g.coverFirst, g.coverCount);
  }
  gl_.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  BindImage(call.image);
  if (edgeAntialias_)
  {
    // The fringe straddles each edge; bit 1 marks pixels one fringe quad has
    // drawn so that overlapping quads never blend twice.
    gl_.StencilMask(0x02);
    gl_.StencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
    UseUniforms(call.uniforms + 1);
    gl_.StencilFunc(GL_EQUAL, 0x00, 0x03);
    gl_.DrawArrays(GL_TRIANGLES, g.fringeFirst, g.fringeCount);
    UseUniforms(call.uniforms + 2);
    gl_.StencilFunc(GL_EQUAL, 0x01, 0x03);
    gl_.DrawArrays(GL_TRIANGLES, g.fringeFirst, g.fringeCount);
  }
  // Fill what is covered and not yet drawn, and clear the stencil everywhere.
  UseUniforms(call.uniforms + 3);
  gl_.StencilMask(0xFF);
  gl_.StencilFunc(GL_EQUAL, 0x01, 0x03);
  gl_.StencilOp(GL_ZERO, GL_ZERO, GL_ZERO);
  gl_.DrawArrays(GL_TRIANGLES, g.coverFirst, g.coverCount);
  gl_.Disable(GL_STENCIL_TEST);
}

void GlBackend::DrawStroke(const Call& call)
{
  const StrokeGeometry& g = call.stroke;
  gl_.Enable(GL_STENCIL_TEST);
  gl_.StencilMask(0xFF);
  // Fully covered pixels first, then the ramp where nothing has drawn yet; the
  // stencil keeps overlapping segments and joins from blending twice.
  gl_.StencilFunc(GL_EQUAL, 0x00, 0xFF);
  gl_.StencilOp(GL_KEEP, GL_KEEP, GL_INCR);
  UseUniforms(call.uniforms);
  gl_.DrawArrays(GL_TRIANGLES, g.first, g.count);
  if (edgeAntialias_)
  {
    UseUniforms(call.uniforms + 1);
    gl_.DrawArrays(GL_TRIANGLES, g.first, g.count);
  }
  gl_.ColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  UseUniforms(call.uniforms + 2);
  gl_.StencilFunc(GL_ALWAYS, 0x00, 0xFF);
  gl_.StencilOp(GL_ZERO, GL_ZERO, GL_ZERO);
  gl_.DrawArrays(GL_TRIANGLES, g.first, g.count);
  gl_.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl_.Disable(GL_STENCIL_TEST);
}

void GlBackend::EndFrame(GlyphAtlas& atlas)
{
  if (!inFrame_) return;
  if (!calls_.empty())
  {
    current_ = nullptr;
    gl_.ActiveTexture(GL_TEXTURE0);
    gl_.Enable(GL_BLEND);
    gl_.BlendEquation(GL_FUNC_ADD);
    gl_.Disable(GL_CULL_FACE);
    gl_.Disable(GL_DEPTH_TEST);
    gl_.Disable(GL_SCISSOR_TEST);
    gl_.Disable(GL_STENCIL_TEST);
    gl_.FrontFace(GL_CCW);
    gl_.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl_.StencilMask(0xFF);
    UploadAtlas(atlas);
    gl_.BindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    gl_.BufferData(GL_ARRAY_BUFFER,
                   static_cast<GLsizeiptr>(vertices_.size() * sizeof(RenderVertex)),
                   vertices_.data(), GL_STREAM_DRAW);
    gl_.EnableVertexAttribArray(0);
    gl_.EnableVertexAttribArray(1);
    gl_.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(RenderVertex), nullptr);
    gl_.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(RenderVertex),
                            reinterpret_cast<const void*>(2 * sizeof(float)));
    for (Call& call : calls_)
    {
      ApplyBlend(call.blend);
      if (call.clipped)
      {
        gl_.Enable(GL_SCISSOR_TEST);
        gl_.Scissor(call.clipBox[0], call.clipBox[1], call.clipBox[2], call.clipBox[3]);
      }
      else
        gl_.Disable(GL_SCISSOR_TEST);
      if (call.kind == CallKind::Glyphs)
      {
        gl_.BindTexture(GL_TEXTURE_2D, atlasTexture_);
        uniforms_[static_cast<std::size_t>(call.uniforms)].v[48] = static_cast<float>(atlasWidth_);
        uniforms_[static_cast<std::size_t>(call.uniforms)].v[49] = static_cast<float>(atlasHeight_);
        UseUniforms(call.uniforms);
        gl_.DrawArrays(GL_TRIANGLES, call.stroke.first, call.stroke.count);
        continue;
      }
      BindImage(call.image);
      if (call.pixelAligned)
      {
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
      }
      switch (call.kind)
      {
      case CallKind::ConvexFill:
        DrawConvexFill(call);
        break;
      case CallKind::StencilFill:
        DrawStencilFill(call);
        break;
      case CallKind::Stroke:
        DrawStroke(call);
        break;
      case CallKind::Glyphs:
        break;
      }
      if (call.pixelAligned)
      {
        BindImage(call.image);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
      }
    }
    gl_.Disable(GL_SCISSOR_TEST);
    gl_.DisableVertexAttribArray(0);
    gl_.DisableVertexAttribArray(1);
    gl_.BindBuffer(GL_ARRAY_BUFFER, 0);
    gl_.BindTexture(GL_TEXTURE_2D, 0);
    gl_.UseProgram(0);
    // Leave the blend state as a plain "over" for whoever draws next.
    gl_.BlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }
  CancelFrame();
}

} // namespace igraphics
