#pragma once

#include "IGraphics/Drawing/GlApi.h"

namespace igraphics
{

// Every GL entry point the renderer calls: (return type, member name, parameters).
// Names resolve as "gl" + member name.
#define BRASMIRE_GL_CORE_FUNCTIONS(X)                                                              \
  X(GLenum, GetError, (void))                                                                      \
  X(const GLubyte*, GetString, (GLenum name))                                                      \
  X(void, GetIntegerv, (GLenum pname, GLint * data))                                               \
  X(void, Enable, (GLenum cap))                                                                    \
  X(void, Disable, (GLenum cap))                                                                   \
  X(void, Viewport, (GLint x, GLint y, GLsizei w, GLsizei h))                                      \
  X(void, Scissor, (GLint x, GLint y, GLsizei w, GLsizei h))                                       \
  X(void, Finish, (void))                                                                          \
  X(void, ClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a))                                \
  X(void, ClearStencil, (GLint s))                                                                 \
  X(void, Clear, (GLbitfield mask))                                                                \
  X(void, ColorMask, (GLboolean r, GLboolean g, GLboolean b, GLboolean a))                         \
  X(void, StencilMask, (GLuint mask))                                                              \
  X(void, StencilFunc, (GLenum func, GLint ref, GLuint mask))                                      \
  X(void, StencilOp, (GLenum sfail, GLenum dpfail, GLenum dppass))                                 \
  X(void, StencilOpSeparate, (GLenum face, GLenum sfail, GLenum dpfail, GLenum dppass))            \
  X(void, BlendFuncSeparate, (GLenum srcRgb, GLenum dstRgb, GLenum srcAlpha, GLenum dstAlpha))     \
  X(void, BlendEquation, (GLenum mode))                                                            \
  X(void, FrontFace, (GLenum mode))                                                                \
  X(void, PixelStorei, (GLenum pname, GLint param))                                                \
  X(void, ReadPixels,                                                                              \
    (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, void* pixels))            \
  X(void, GenTextures, (GLsizei n, GLuint * textures))                                             \
  X(void, DeleteTextures, (GLsizei n, const GLuint* textures))                                     \
  X(void, BindTexture, (GLenum target, GLuint texture))                                            \
  X(void, ActiveTexture, (GLenum unit))                                                            \
  X(void, TexParameteri, (GLenum target, GLenum pname, GLint param))                               \
  X(void, TexImage2D,                                                                              \
    (GLenum target, GLint level, GLint internalFormat, GLsizei w, GLsizei h, GLint border,         \
     GLenum format, GLenum type, const void* pixels))                                              \
  X(void, TexSubImage2D,                                                                           \
    (GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,            \
     GLenum type, const void* pixels))                                                             \
  X(void, GenBuffers, (GLsizei n, GLuint * buffers))                                               \
  X(void, DeleteBuffers, (GLsizei n, const GLuint* buffers))                                       \
  X(void, BindBuffer, (GLenum target, GLuint buffer))                                              \
  X(void, BufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage))            \
  X(void, DrawArrays, (GLenum mode, GLint first, GLsizei count))                                   \
  X(void, EnableVertexAttribArray, (GLuint index))                                                 \
  X(void, DisableVertexAttribArray, (GLuint index))                                                \
  X(void, VertexAttribPointer,                                                                     \
    (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,                  \
     const void* pointer))                                                                         \
  X(GLuint, CreateShader, (GLenum type))                                                           \
  X(void, DeleteShader, (GLuint shader))                                                           \
  X(void, ShaderSource,                                                                            \
    (GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths))            \
  X(void, CompileShader, (GLuint shader))                                                          \
  X(void, GetShaderiv, (GLuint shader, GLenum pname, GLint * params))                              \
  X(void, GetShaderInfoLog, (GLuint shader, GLsizei size, GLsizei * length, GLchar * log))         \
  X(GLuint, CreateProgram, (void))                                                                 \
  X(void, DeleteProgram, (GLuint program))                                                         \
  X(void, AttachShader, (GLuint program, GLuint shader))                                           \
  X(void, BindAttribLocation, (GLuint program, GLuint index, const GLchar* name))                  \
  X(void, LinkProgram, (GLuint program))                                                           \
  X(void, GetProgramiv, (GLuint program, GLenum pname, GLint * params))                            \
  X(void, GetProgramInfoLog, (GLuint program, GLsizei size, GLsizei * length, GLchar * log))       \
  X(void, UseProgram, (GLuint program))                                                            \
  X(GLint, GetUniformLocation, (GLuint program, const GLchar* name))                               \
  X(void, Uniform1i, (GLint location, GLint v0))                                                   \
  X(void, Uniform2f, (GLint location, GLfloat v0, GLfloat v1))                                     \
  X(void, Uniform4fv, (GLint location, GLsizei count, const GLfloat* values))

// Framebuffer objects: core names first, the EXT extension's as a fallback.
#define BRASMIRE_GL_FRAMEBUFFER_FUNCTIONS(X)                                                       \
  X(void, GenFramebuffers, (GLsizei n, GLuint * ids))                                              \
  X(void, DeleteFramebuffers, (GLsizei n, const GLuint* ids))                                      \
  X(void, BindFramebuffer, (GLenum target, GLuint id))                                             \
  X(GLenum, CheckFramebufferStatus, (GLenum target))                                               \
  X(void, FramebufferTexture2D,                                                                    \
    (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level))             \
  X(void, FramebufferRenderbuffer,                                                                 \
    (GLenum target, GLenum attachment, GLenum rbTarget, GLuint renderbuffer))                      \
  X(void, GenRenderbuffers, (GLsizei n, GLuint * ids))                                             \
  X(void, DeleteRenderbuffers, (GLsizei n, const GLuint* ids))                                     \
  X(void, BindRenderbuffer, (GLenum target, GLuint id))                                            \
  X(void, RenderbufferStorage, (GLenum target, GLenum format, GLsizei w, GLsizei h))

// Entry points some drivers lack; null then, and callers take another way.
#define BRASMIRE_GL_OPTIONAL_FUNCTIONS(X)                                                          \
  X(void, BlitFramebuffer,                                                                         \
    (GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1, GLint dstX0, GLint dstY0, GLint dstX1,    \
     GLint dstY1, GLbitfield mask, GLenum filter))

// The GL entry points of one context, resolved by our own loader. Owned by the
// renderer context; valid while a context of the same driver is current.
class GlFunctions
{
public:
  // Looks up a GL function by name; null when the driver does not have it.
  using ProcLookup = void* (*)(const char* name, void* user);

  // Resolves every entry point with `lookup`. On failure returns false and names
  // the first missing function in `missing` (a static text). [main-thread]
  bool Load(ProcLookup lookup, void* user, const char** missing);

  // Resolves through the platform: on Windows wglGetProcAddress, falling back to
  // the opengl32 export; elsewhere eglGetProcAddress. Needs a current context.
  bool LoadFromPlatform(const char** missing);

#define BRASMIRE_GL_MEMBER(ret, name, params) ret(APIENTRY* name) params = nullptr;
  BRASMIRE_GL_CORE_FUNCTIONS(BRASMIRE_GL_MEMBER)
  BRASMIRE_GL_FRAMEBUFFER_FUNCTIONS(BRASMIRE_GL_MEMBER)
  BRASMIRE_GL_OPTIONAL_FUNCTIONS(BRASMIRE_GL_MEMBER)
#undef BRASMIRE_GL_MEMBER
};

} // namespace igraphics
