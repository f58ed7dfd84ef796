// The minimal OpenGL program: a captured frame's quads drawn straight to the window.
#include "quad_replay.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace marblix::bench {
namespace {

constexpr const char* VertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aDiffuse;
layout(location = 2) in vec2 aTexCoord;
out vec4 vDiffuse;
out vec2 vTexCoord;
void main() {
  vec2 ndc = (aPosition.xy + 0.5) / vec2(800.0, 600.0) * 2.0 - 1.0;
  gl_Position = vec4(ndc.x, -ndc.y, 0.0, 1.0);
  vDiffuse = aDiffuse.zyxw;
  vTexCoord = aTexCoord;
}
)";

constexpr const char* FragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uTextured;
uniform int uAlphaOp;
uniform int uAlphaArg1;
uniform int uAlphaArg2;
out vec4 fragColor;
void main() {
  vec4 texel = uTextured != 0 ? texture(uTexture, vTexCoord) : vec4(1.0);
  float a1 = uAlphaArg1 == 2 ? texel.a : vDiffuse.a;
  float a2 = uAlphaArg2 == 2 ? texel.a : vDiffuse.a;
  float alpha = uAlphaOp == 4 ? a1 * a2 : (uAlphaOp == 3 ? a2 : a1);
  fragColor = vec4(texel.rgb * vDiffuse.rgb, alpha);
}
)";

GLuint Compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

GLenum Factor(uint32_t blend) {
  constexpr std::array<GLenum, 10> factors{GL_ZERO,      GL_ONE,
                                           GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
                                           GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,
                                           GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
                                           GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR};
  return blend >= 1 && blend <= factors.size() ? factors[blend - 1] : GL_ONE;
}

struct TUploadFormat {
  GLint Internal;
  GLenum Format, Type;
};

bool UploadFormatOf(int format, TUploadFormat& out) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
      out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    case D3DFMT_X8R8G8B8:
      out = {GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    case D3DFMT_R5G6B5:
      out = {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
      return true;
    case D3DFMT_A1R5G5B5:
      out = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case D3DFMT_A4R4G4B4:
      out = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    default:
      return false;
  }
}

}  // namespace

TQuadReplay::TQuadReplay(SDL_Window* window, const TFrameCapture& capture)
    : FWindow(window), FDraws(capture.Draws) {
  FContext = SDL_GL_CreateContext(window);
  if (FContext == nullptr) return;
  SDL_GL_MakeCurrent(window, FContext);
  const GLuint vertex = Compile(GL_VERTEX_SHADER, VertexShader);
  const GLuint fragment = Compile(GL_FRAGMENT_SHADER, FragmentShader);
  FProgram = glCreateProgram();
  glAttachShader(FProgram, vertex);
  glAttachShader(FProgram, fragment);
  glLinkProgram(FProgram);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = 0;
  glGetProgramiv(FProgram, GL_LINK_STATUS, &linked);
  if (!linked) {
    glDeleteProgram(FProgram);
    FProgram = 0;
    return;
  }
  glUseProgram(FProgram);
  glUniform1i(glGetUniformLocation(FProgram, "uTexture"), 0);
  FTextured = glGetUniformLocation(FProgram, "uTextured");
  FAlphaOp = glGetUniformLocation(FProgram, "uAlphaOp");
  FAlphaArg1 = glGetUniformLocation(FProgram, "uAlphaArg1");
  FAlphaArg2 = glGetUniformLocation(FProgram, "uAlphaArg2");

  glGenVertexArrays(1, &FVertexArray);
  glBindVertexArray(FVertexArray);
  glGenBuffers(1, &FBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, FBuffer);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(TVertex), nullptr);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(TVertex),
                        reinterpret_cast<void*>(offsetof(TVertex, Diffuse)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(TVertex),
                        reinterpret_cast<void*>(offsetof(TVertex, u)));
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DITHER);
  glEnable(GL_SCISSOR_TEST);

  for (const TCapturedDraw& draw : FDraws) {
    FVertices.insert(FVertices.end(), draw.Vertices.begin(), draw.Vertices.end());
    if (draw.State.Texture >= 0 && !FTextures.contains(draw.State.Texture)) {
      const auto found = capture.Textures.find(draw.State.Texture);
      if (found != capture.Textures.end()) Upload(found->first, found->second);
    }
  }
}

TQuadReplay::~TQuadReplay() {
  if (FContext == nullptr) return;
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_GL_MakeCurrent(FWindow, FContext);
  for (const auto& [id, name] : FTextures) glDeleteTextures(1, &name);
  glDeleteBuffers(1, &FBuffer);
  glDeleteVertexArrays(1, &FVertexArray);
  glDeleteProgram(FProgram);
  SDL_GL_MakeCurrent(FWindow, previous == FContext ? nullptr : previous);
  SDL_GL_DeleteContext(FContext);
}

void TQuadReplay::Upload(int id, const TCapturedTexture& texture) {
  TUploadFormat format{};
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (UploadFormatOf(texture.Format, format) && !texture.Bits.empty()) {
    glTexImage2D(GL_TEXTURE_2D, 0, format.Internal, texture.Width, texture.Height, 0, format.Format,
                 format.Type, texture.Bits.data());
  } else {
    // A format this program does not know: a white texture of the same size.
    const std::vector<uint32_t> white(size_t(texture.Width) * texture.Height, 0xFFFFFFFFu);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texture.Width, texture.Height, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, white.data());
  }
  FTextures[id] = name;
}

void TQuadReplay::MakeCurrent() {
  SDL_GL_MakeCurrent(FWindow, FContext);
}

void TQuadReplay::Apply(const TDrawState& state, bool first) {
  if (first || state.Texture != FLast.Texture) {
    const auto found = FTextures.find(state.Texture);
    glBindTexture(GL_TEXTURE_2D, found == FTextures.end() ? 0 : found->second);
    glUniform1i(FTextured, found == FTextures.end() ? 0 : 1);
  }
  if (first || state.MagFilter != FLast.MagFilter || state.MinFilter != FLast.MinFilter ||
      state.Texture != FLast.Texture) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                    state.MagFilter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    state.MinFilter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
  }
  if (first || state.Blend != FLast.Blend) state.Blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
  if (first || state.SourceBlend != FLast.SourceBlend ||
      state.DestinationBlend != FLast.DestinationBlend)
    glBlendFunc(Factor(state.SourceBlend), Factor(state.DestinationBlend));
  if (first || state.AlphaOp != FLast.AlphaOp) glUniform1i(FAlphaOp, int(state.AlphaOp));
  if (first || state.AlphaArg1 != FLast.AlphaArg1) glUniform1i(FAlphaArg1, int(state.AlphaArg1));
  if (first || state.AlphaArg2 != FLast.AlphaArg2) glUniform1i(FAlphaArg2, int(state.AlphaArg2));
  const D3DVIEWPORT8& c = state.Clip;
  const D3DVIEWPORT8& l = FLast.Clip;
  if (first || c.X != l.X || c.Y != l.Y || c.Width != l.Width || c.Height != l.Height) {
    const int left = std::clamp(int(c.X), 0, 800), top = std::clamp(int(c.Y), 0, 600);
    const int right = std::clamp(int(c.X + c.Width), left, 800);
    const int bottom = std::clamp(int(c.Y + c.Height), top, 600);
    glScissor(left, 600 - bottom, right - left, bottom - top);
  }
  FLast = state;
}

void TQuadReplay::Frame() {
  Draw();
  SDL_GL_SwapWindow(FWindow);
}

std::vector<uint8_t> TQuadReplay::Picture() {
  Draw();
  return ReadFramePixels();
}

void TQuadReplay::Draw() {
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(FVertices.size() * sizeof(TVertex)), FVertices.data(),
               GL_STREAM_DRAW);
  GLint first = 0;
  bool firstDraw = true;
  for (const TCapturedDraw& draw : FDraws) {
    Apply(draw.State, firstDraw);
    firstDraw = false;
    const GLsizei count = GLsizei(draw.Vertices.size());
    glDrawArrays(draw.Type == D3DPT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP : GL_TRIANGLES, first, count);
    first += count;
  }
}

std::vector<uint8_t> ReadFramePixels() {
  std::vector<uint8_t> pixels(size_t(800) * 600 * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace marblix::bench
