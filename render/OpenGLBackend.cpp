// OpenGL 4.5 entry points come from the prototypes of the GL headers, linked against
// libOpenGL (glvnd); the EGL extension that opens the surfaceless platform is looked up with
// eglGetProcAddress, as libEGL does not export it.
#define GL_GLEXT_PROTOTYPES 1
#include "render/OpenGLBackend.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>

#include "render/GfxEnums.h"

namespace zar::oglib {

static_assert(gl::ARRAY_BUFFER == GL_ARRAY_BUFFER &&
              gl::ELEMENT_ARRAY_BUFFER == GL_ELEMENT_ARRAY_BUFFER);
static_assert(gl::STATIC_DRAW == GL_STATIC_DRAW && gl::LINES == GL_LINES);
static_assert(gl::TRIANGLES == GL_TRIANGLES && gl::UNSIGNED_BYTE == GL_UNSIGNED_BYTE);
static_assert(gl::UNSIGNED_INT == GL_UNSIGNED_INT && gl::FLOAT == GL_FLOAT);
static_assert(gl::RED == GL_RED && gl::RGB == GL_RGB && gl::RGBA == GL_RGBA);
static_assert(gl::R32F == GL_R32F && gl::RGB32F == GL_RGB32F && gl::RGBA32F == GL_RGBA32F);
static_assert(gl::TEXTURE_1D == GL_TEXTURE_1D && gl::TEXTURE_2D == GL_TEXTURE_2D);
static_assert(gl::TEXTURE_3D == GL_TEXTURE_3D && gl::CLAMP == GL_CLAMP);
static_assert(gl::CLAMP_TO_EDGE == GL_CLAMP_TO_EDGE && gl::NEAREST == GL_NEAREST);
static_assert(gl::LINEAR == GL_LINEAR);

namespace {

constexpr EGLint GL_MAJOR = 4;
constexpr EGLint GL_MINOR = 5;

CString EGLFailure(const wchar_t* what) {
  CString reason;
  reason.Format(L"Cannot create the OpenGL context: %s failed (EGL error 0x%04X)", what,
                static_cast<unsigned>(eglGetError()));
  return reason;
}

EGLContext CreateContext(EGLDisplay display) {
  const std::array<EGLint, 2> profiles = {EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                          EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT};
  for (const EGLint profile : profiles) {
    const std::array<EGLint, 7> attribs = {EGL_CONTEXT_MAJOR_VERSION,
                                           GL_MAJOR,
                                           EGL_CONTEXT_MINOR_VERSION,
                                           GL_MINOR,
                                           EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                           profile,
                                           EGL_NONE};
    EGLContext context =
        eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attribs.data());
    if (context != EGL_NO_CONTEXT) return context;
  }
  return EGL_NO_CONTEXT;
}

// Images travel tightly packed, as GetTexImageBytes counts them.
void SetTightPacking() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

}  // namespace

std::unique_ptr<MOpenGLBackend> MOpenGLBackend::Create(CString& reason) {
  const auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getDisplay) {
    reason = L"Cannot create the OpenGL context: EGL offers no eglGetPlatformDisplayEXT";
    return nullptr;
  }
  EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) {
    reason = EGLFailure(L"eglGetPlatformDisplayEXT");
    return nullptr;
  }
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) {
    reason = EGLFailure(L"eglInitialize");
    return nullptr;
  }
  EGLContext context = EGL_NO_CONTEXT;
  if (!eglBindAPI(EGL_OPENGL_API))
    reason = EGLFailure(L"eglBindAPI");
  else if ((context = CreateContext(display)) == EGL_NO_CONTEXT)
    reason = EGLFailure(L"eglCreateContext (OpenGL 4.5)");
  else if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
    reason = EGLFailure(L"eglMakeCurrent");
  else {
    SetTightPacking();
    return std::unique_ptr<MOpenGLBackend>(new MOpenGLBackend(display, context));
  }
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  eglTerminate(display);
  return nullptr;
}

namespace {

CString& CreateReason() {
  static CString reason;
  return reason;
}

}  // namespace

// The context lives as long as the process: terminating the display at exit would unload the
// driver while objects of it and of later exit handlers still refer to its memory.
MOpenGLBackend* MOpenGLBackend::Instance() {
  static MOpenGLBackend* const backend = Create(CreateReason()).release();
  return backend;
}

const CString& MOpenGLBackend::GetCreateReason() {
  Instance();
  return CreateReason();
}

MOpenGLBackend::MOpenGLBackend(void* display, void* context)
    : m_pDisplay(display), m_pContext(context), m_thread(std::this_thread::get_id()) {}

MOpenGLBackend::~MOpenGLBackend() {
  eglMakeCurrent(m_pDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(m_pDisplay, m_pContext);
  eglTerminate(m_pDisplay);
  eglReleaseThread();
}

CString MOpenGLBackend::GetRenderer() const {
  CString text;
  text.Format(L"%S, OpenGL %S", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
              reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  return text;
}

int MOpenGLBackend::CheckThread() {
  if (std::this_thread::get_id() == m_thread) return 1;
  return Fail(L"The OpenGL context is current on another thread");
}

int MOpenGLBackend::CheckError(const wchar_t* what) {
  GLenum first = GL_NO_ERROR;
  for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError())
    if (first == GL_NO_ERROR) first = e;
  if (first == GL_NO_ERROR) return 1;
  CString reason;
  if (first == GL_OUT_OF_MEMORY)
    reason.Format(L"Out of graphics memory in %s", what);
  else
    reason.Format(L"OpenGL error 0x%04X in %s", static_cast<unsigned>(first), what);
  return Fail(reason);
}

unsigned MOpenGLBackend::GenBuffer() {
  if (!CheckThread()) return 0;
  GLuint name = 0;
  glGenBuffers(1, &name);
  // Binding creates the object, so that the name counts as a buffer from now on.
  glBindBuffer(GL_COPY_WRITE_BUFFER, name);
  return CheckError(L"glGenBuffers") ? name : 0;
}

// Data moves through the copy bindings, which need no vertex array object; the target only
// says how the buffer will be drawn.
int MOpenGLBackend::BufferData(unsigned name, unsigned /*target*/, std::span<const std::byte> data,
                               unsigned usage) {
  if (!CheckThread()) return 0;
  if (!glIsBuffer(name)) return Fail(L"Buffer data for a buffer that does not exist");
  glBindBuffer(GL_COPY_WRITE_BUFFER, name);
  glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(data.size()), data.data(), usage);
  return CheckError(L"glBufferData");
}

int MOpenGLBackend::GetBufferSubData(unsigned name, std::size_t offset, std::span<std::byte> out) {
  if (!CheckThread()) return 0;
  if (!glIsBuffer(name)) return Fail(L"Reading a buffer that does not exist");
  glBindBuffer(GL_COPY_READ_BUFFER, name);
  GLint64 size = 0;
  glGetBufferParameteri64v(GL_COPY_READ_BUFFER, GL_BUFFER_SIZE, &size);
  const auto bytes = static_cast<std::size_t>(size);
  if (offset > bytes || out.size() > bytes - offset)
    return Fail(L"Reading past the end of a buffer");
  glGetBufferSubData(GL_COPY_READ_BUFFER, static_cast<GLintptr>(offset),
                     static_cast<GLsizeiptr>(out.size()), out.data());
  return CheckError(L"glGetBufferSubData");
}

void MOpenGLBackend::DeleteBuffer(unsigned name) {
  if (!CheckThread()) return;
  glDeleteBuffers(1, &name);
  CheckError(L"glDeleteBuffers");
}

unsigned MOpenGLBackend::GenTexture() {
  if (!CheckThread()) return 0;
  GLuint name = 0;
  glGenTextures(1, &name);
  return CheckError(L"glGenTextures") ? name : 0;
}

// The first binding fixes the texture's target; a later one with another target fails.
int MOpenGLBackend::BindTexture(unsigned name, unsigned target) {
  if (!CheckThread()) return 0;
  if (name == 0) return Fail(L"A texture that does not exist");
  glBindTexture(target, name);
  return CheckError(L"glBindTexture");
}

int MOpenGLBackend::TexParam(unsigned name, const TTexParam& p) {
  if (!BindTexture(name, p.nTarget)) return 0;
  glTexParameteri(p.nTarget, GL_TEXTURE_WRAP_S, p.nWrapS);
  glTexParameteri(p.nTarget, GL_TEXTURE_WRAP_T, p.nWrapT);
  if (p.nTarget == GL_TEXTURE_3D) glTexParameteri(p.nTarget, GL_TEXTURE_WRAP_R, p.nWrapR);
  glTexParameteri(p.nTarget, GL_TEXTURE_MIN_FILTER, p.nMinFilter);
  glTexParameteri(p.nTarget, GL_TEXTURE_MAG_FILTER, p.nMagFilter);
  return CheckError(L"glTexParameteri");
}

int MOpenGLBackend::TexImage(unsigned name, const TTexImage& im) {
  if (!BindTexture(name, im.nTarget)) return 0;
  switch (im.nTarget) {
    case GL_TEXTURE_1D:
      glTexImage1D(im.nTarget, im.nLevel, im.nInternalFormat, im.nWidth, im.nBorder, im.nFormat,
                   im.nType, im.pData);
      break;
    case GL_TEXTURE_2D:
      glTexImage2D(im.nTarget, im.nLevel, im.nInternalFormat, im.nWidth, im.nHeight, im.nBorder,
                   im.nFormat, im.nType, im.pData);
      break;
    case GL_TEXTURE_3D:
      glTexImage3D(im.nTarget, im.nLevel, im.nInternalFormat, im.nWidth, im.nHeight, im.nDepth,
                   im.nBorder, im.nFormat, im.nType, im.pData);
      break;
    default:
      return Fail(L"A texture target other than 1D, 2D or 3D");
  }
  return CheckError(L"glTexImage");
}

int MOpenGLBackend::GetTexImage(unsigned name, unsigned target, int level, unsigned format,
                                unsigned type, std::span<std::byte> out) {
  if (!BindTexture(name, target)) return 0;
  std::array<GLint, 3> extent = {0, 0, 0};
  glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &extent[0]);
  glGetTexLevelParameteriv(target, level, GL_TEXTURE_HEIGHT, &extent[1]);
  glGetTexLevelParameteriv(target, level, GL_TEXTURE_DEPTH, &extent[2]);
  if (!CheckError(L"glGetTexLevelParameteriv")) return 0;
  if (GetTexImageBytes(extent[0], extent[1], extent[2], format, type) != out.size())
    return Fail(L"Reading a texture image into a buffer of another size");
  glGetTexImage(target, level, format, type, out.data());
  return CheckError(L"glGetTexImage");
}

void MOpenGLBackend::DeleteTexture(unsigned name) {
  if (!CheckThread()) return;
  glDeleteTextures(1, &name);
  CheckError(L"glDeleteTextures");
}

}  // namespace zar::oglib
