#pragma once

#include "IGraphics/Drawing/GlFunctions.h"
#include "IGraphics/Drawing/Paint.h"
#include "IGraphics/Drawing/PathTessellator.h"
#include "IGraphics/Drawing/RenderVertex.h"
#include "IGraphics/Drawing/RendererTypes.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace igraphics
{

class GlyphAtlas;

// Scissor rectangle: `xform` maps its centred box of half-size `extent` to
// frame units. A negative extent means no scissor.
struct ScissorRect
{
  Transform xform;
  float extent[2] = {-1.0f, -1.0f};
};

// The OpenGL 2 side of the renderer: shaders, textures, framebuffers and the
// frame's recorded draw calls, which are sent to GL in one go at the end of the
// frame. Everything here runs on the thread whose GL context is current.
class GlBackend
{
public:
  GlBackend() = default;
  ~GlBackend();
  GlBackend(const GlBackend&) = delete;
  GlBackend& operator=(const GlBackend&) = delete;

  // Loads GL, builds the shader and buffer. False with a reason in `error`.
  bool Initialise(bool edgeAntialias, std::string& error);
  GlFunctions& Gl() { return gl_; }

  // Textures. Formats: RGBA bytes, or one coverage byte per texel (`alphaOnly`).
  int CreateTexture(int w, int h, int imageFlags, bool alphaOnly, const void* pixels);
  bool UpdateTexture(int image, const void* pixels);
  bool TextureSize(int image, int& w, int& h) const;
  unsigned TextureName(int image) const;
  // The largest texture side this renderer creates: the context's limit, or a
  // lower one set for tests of drivers with small limits.
  int MaxTextureSize() const { return maxTextureSize_; }
  void LimitMaxTextureSize(int limit);
  // Deletion waits for the end of the frame when draw calls may still use it.
  void DeleteTexture(int image);

  void BeginFrame(float width, float height, float pixel);
  void CancelFrame();
  // Sends the recorded calls to GL, using `atlas` for text.
  void EndFrame(GlyphAtlas& atlas);

  std::vector<RenderVertex>& Vertices() { return vertices_; }
  void AddFill(const Paint& paint, const ScissorRect& scissor, const BlendState& blend,
               const FillGeometry& geometry);
  void AddStroke(const Paint& paint, const ScissorRect& scissor, const BlendState& blend,
                 const StrokeGeometry& geometry);
  void AddGlyphs(const Paint& paint, const ScissorRect& scissor, const BlendState& blend, int first,
                 int count);

private:
  struct Texture
  {
    GLuint name = 0;
    int width = 0;
    int height = 0;
    int flags = 0;
    bool alphaOnly = false;
    bool opaque = false; // every texel's alpha is 1
  };
  enum class CallKind
  {
    ConvexFill,
    StencilFill,
    Stroke,
    Glyphs
  };
  struct Call
  {
    CallKind kind = CallKind::ConvexFill;
    int image = 0;
    FillGeometry fill;
    StrokeGeometry stroke;
    int uniforms = 0; // index of the call's first uniform block
    BlendState blend;
    // Device-pixel box around the scissor (GL's y-up), so that clipped
    // drawing does not rasterise what the shader would discard anyway.
    bool clipped = false;
    int clipBox[4] = {0, 0, 0, 0};
    // The image maps one texel onto each device pixel, centre on centre:
    // nearest sampling gives the same colours for less work.
    bool pixelAligned = false;
    // Opaque paint under the default blend: the interior can overwrite
    // instead of blending (no destination reads).
    bool opaqueInterior = false;
  };
  static constexpr int kUniformVec4s = 13;
  struct Uniforms
  {
    float v[kUniformVec4s * 4];
    int program = 0; // shader variant: ShaderVariant bits
  };
  struct Program
  {
    GLuint name = 0;
    GLint viewSize = -1;
    GLint frag = -1;
    GLint texture = -1;
    bool viewSizeSet = false; // for this frame
  };

  Uniforms PaintUniforms(const Paint& paint, const ScissorRect& scissor) const;
  void SetClipBox(Call& call, const ScissorRect& scissor) const;
  bool IsPixelAligned(const Paint& paint) const;
  // An axis-aligned scissor on whole device pixels is done by GL's scissor box
  // alone; the shader then has nothing to soften.
  bool ScissorOnPixelGrid(const ScissorRect& scissor) const;
  bool IsOpaque(const Paint& paint) const;
  void SetCoverage(Uniforms& u, float c0, float c1, float c2, float threshold) const;
  void BindImage(int image);
  void ApplyBlend(const BlendState& blend);
  void DrawConvexFill(const Call& call);
  void DrawStencilFill(const Call& call);
  void DrawStroke(const Call& call);
  void UploadAtlas(GlyphAtlas& atlas);
  void UseUniforms(int index);

  GlFunctions gl_;
  bool edgeAntialias_ = true;
  int contextMaxTextureSize_ = 0;
  int maxTextureSize_ = 0;
  // Compiles the variant on first use; null when it does not compile.
  Program* ProgramFor(int variant, std::string* error);

  std::unordered_map<int, Program> programs_;
  Program* current_ = nullptr;
  GLuint vertexBuffer_ = 0;
  std::unordered_map<int, Texture> textures_;
  int nextImage_ = 1;
  std::vector<int> pendingDeletes_;
  GLuint atlasTexture_ = 0;
  int atlasWidth_ = 0;
  int atlasHeight_ = 0;

  bool inFrame_ = false;
  float viewWidth_ = 0.0f;
  float viewHeight_ = 0.0f;
  float pixel_ = 1.0f;
  std::vector<RenderVertex> vertices_;
  std::vector<Call> calls_;
  std::vector<Uniforms> uniforms_;
};

} // namespace igraphics
