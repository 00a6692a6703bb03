// The offscreen drawing calls of the OpenGL backend. Each draw sets up its own vertex array
// object, so that no state is left behind between draws.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <string>

#include "render/OpenGLBackend.h"

namespace zar::oglib {

namespace {

constexpr std::size_t MATRIX_FLOATS = 16;

// The shader's or program's log, as the reason of a failed compile or link.
CString ShaderLog(GLuint object, bool program) {
  GLint length = 0;
  if (program)
    glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
  else
    glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
  if (program)
    glGetProgramInfoLog(object, length, nullptr, log.data());
  else
    glGetShaderInfoLog(object, length, nullptr, log.data());
  CString reason;
  reason.Format(L"The shader program does not %s: %S", program ? L"link" : L"compile", log.c_str());
  return reason;
}

GLuint Compile(GLenum kind, std::string_view source, CString& reason) {
  const GLuint shader = glCreateShader(kind);
  const char* text = source.data();
  const auto length = static_cast<GLint>(source.size());
  glShaderSource(shader, 1, &text, &length);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return shader;
  reason = ShaderLog(shader, false);
  glDeleteShader(shader);
  return 0;
}

void SetUniform(GLuint program, const TGfxUniform& u) {
  const GLint at = glGetUniformLocation(program, u.pName);
  const float* v = u.aValue.data();
  switch (u.aValue.size()) {
    case 1:
      glUniform1f(at, v[0]);
      break;
    case 3:
      glUniform3fv(at, 1, v);
      break;
    case 4:
      glUniform4fv(at, 1, v);
      break;
    case MATRIX_FLOATS:
      glUniformMatrix4fv(at, 1, GL_FALSE, v);
      break;
    default:
      break;
  }
}

}  // namespace

unsigned MOpenGLBackend::CreateFramebuffer(int width, int height) {
  if (!CheckThread()) return 0;
  GLint limit = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &limit);
  if (width < 1 || height < 1 || width > limit || height > limit) {
    CString reason;
    reason.Format(L"A framebuffer size outside 1 to %d", limit);
    return Fail(reason);
  }
  TFramebuffer fb{0, 0, width, height};
  GLuint name = 0;
  glGenFramebuffers(1, &name);
  glGenRenderbuffers(1, &fb.nColor);
  glGenRenderbuffers(1, &fb.nDepth);
  glBindFramebuffer(GL_FRAMEBUFFER, name);
  glBindRenderbuffer(GL_RENDERBUFFER, fb.nColor);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, fb.nColor);
  glBindRenderbuffer(GL_RENDERBUFFER, fb.nDepth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, fb.nDepth);
  const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  if (!CheckError(L"glRenderbufferStorage")) {
    DeleteFramebufferObjects(name, fb);
    return 0;
  }
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    DeleteFramebufferObjects(name, fb);
    CString reason;
    reason.Format(L"The framebuffer is incomplete (status 0x%04X)", static_cast<unsigned>(status));
    return Fail(reason);
  }
  m_mapFramebuffer[name] = fb;
  return name;
}

void MOpenGLBackend::DeleteFramebufferObjects(unsigned name, const TFramebuffer& fb) {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &name);
  glDeleteRenderbuffers(1, &fb.nColor);
  glDeleteRenderbuffers(1, &fb.nDepth);
}

const MOpenGLBackend::TFramebuffer* MOpenGLBackend::BindFramebuffer(unsigned name) {
  if (!CheckThread()) return nullptr;
  const auto it = m_mapFramebuffer.find(name);
  if (it == m_mapFramebuffer.end()) {
    Fail(L"A framebuffer that does not exist");
    return nullptr;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, name);
  glViewport(0, 0, it->second.nWidth, it->second.nHeight);
  return &it->second;
}

int MOpenGLBackend::ClearFramebuffer(unsigned name, const TGfxColor& c) {
  if (!BindFramebuffer(name)) return 0;
  glClearColor(c[0], c[1], c[2], c[3]);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return CheckError(L"glClear");
}

int MOpenGLBackend::ReadPixels(unsigned name, std::span<std::byte> out) {
  const TFramebuffer* fb = BindFramebuffer(name);
  if (!fb) return 0;
  const std::size_t pixels =
      static_cast<std::size_t>(fb->nWidth) * static_cast<std::size_t>(fb->nHeight);
  if (out.size() != pixels * RGBA_PIXEL_BYTES)
    return Fail(L"Reading a framebuffer into a buffer of another size");
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  glReadPixels(0, 0, fb->nWidth, fb->nHeight, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
  return CheckError(L"glReadPixels");
}

void MOpenGLBackend::DeleteFramebuffer(unsigned name) {
  if (!CheckThread()) return;
  const auto it = m_mapFramebuffer.find(name);
  if (it == m_mapFramebuffer.end()) return;
  DeleteFramebufferObjects(name, it->second);
  m_mapFramebuffer.erase(it);
  CheckError(L"glDeleteFramebuffers");
}

unsigned MOpenGLBackend::CreateProgram(std::string_view vertex, std::string_view fragment) {
  if (!CheckThread()) return 0;
  CString reason;
  const GLuint vs = Compile(GL_VERTEX_SHADER, vertex, reason);
  const GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, fragment, reason) : 0;
  if (!fs) {
    glDeleteShader(vs);
    return Fail(reason);
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vs);
  glAttachShader(program, fs);
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    reason = ShaderLog(program, true);
    glDeleteProgram(program);
    return Fail(reason);
  }
  return CheckError(L"glLinkProgram") ? program : 0;
}

void MOpenGLBackend::DeleteProgram(unsigned name) {
  if (!CheckThread()) return;
  glDeleteProgram(name);
  CheckError(L"glDeleteProgram");
}

int MOpenGLBackend::Draw(const TGfxDraw& d) {
  if (!BindFramebuffer(d.nFramebuffer)) return 0;
  if (!glIsProgram(d.nProgram)) return Fail(L"A shader program that does not exist");
  if (!glIsBuffer(d.nAttribBuffer) || !glIsBuffer(d.nIndexBuffer))
    return Fail(L"Drawing from a buffer that does not exist");
  glUseProgram(d.nProgram);
  for (const TGfxUniform& u : d.aUniform) SetUniform(d.nProgram, u);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_1D, d.nTexture1D);
  GLuint vao = 0;
  glGenVertexArrays(1, &vao);
  glBindVertexArray(vao);
  glBindBuffer(GL_ARRAY_BUFFER, d.nAttribBuffer);
  for (const TGfxDrawAttrib& a : d.aAttrib) {
    glEnableVertexAttribArray(a.nLocation);
    glVertexAttribPointer(a.nLocation, a.nComponents, a.nType, GL_FALSE, 0,
                          reinterpret_cast<const void*>(a.nOffset));
  }
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.nIndexBuffer);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glLineWidth(d.rWidth);
  glDrawElements(d.nPrimitive, static_cast<GLsizei>(d.nCount), GL_UNSIGNED_INT,
                 reinterpret_cast<const void*>(d.nOffset));
  glBindVertexArray(0);
  glDeleteVertexArrays(1, &vao);
  glUseProgram(0);
  return CheckError(L"glDrawElements");
}

}  // namespace zar::oglib
