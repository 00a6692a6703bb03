#pragma once
// The OpenGL backend: OpenGL 4.5 (compatibility profile, else core) on an EGL surfaceless
// context, so it needs no display server; on machines without a graphics card Mesa's llvmpipe
// renders. The context is created once per process, by the first call of Instance, and made
// current on that thread (the host's thread); calls from any other thread fail with a reason.
// It lives until the process ends.
#include <memory>
#include <thread>
#include <unordered_map>

#include "qve_pvk_export.h"
#include "render/GfxBackend.h"

namespace zar::oglib {

class PVK_API MOpenGLBackend : public IGfxBackend {
public:
  // The process's backend; null when no context can be made (GetCreateReason says why). A
  // failed creation is not tried again.
  static MOpenGLBackend* Instance();
  static const CString& GetCreateReason();

  MOpenGLBackend(const MOpenGLBackend&) = delete;
  MOpenGLBackend& operator=(const MOpenGLBackend&) = delete;
  ~MOpenGLBackend() override;

  // The renderer and version strings of the context.
  CString GetRenderer() const;

  unsigned GenBuffer() override;
  int BufferData(unsigned name, unsigned target, std::span<const std::byte> data,
                 unsigned usage) override;
  int GetBufferSubData(unsigned name, std::size_t offset, std::span<std::byte> out) override;
  void DeleteBuffer(unsigned name) override;
  unsigned GenTexture() override;
  int TexParam(unsigned name, const TTexParam& param) override;
  int TexImage(unsigned name, const TTexImage& image) override;
  int GetTexImage(unsigned name, unsigned target, int level, unsigned format, unsigned type,
                  std::span<std::byte> out) override;
  void DeleteTexture(unsigned name) override;
  unsigned CreateFramebuffer(int width, int height) override;
  int ClearFramebuffer(unsigned name, const TGfxColor& color) override;
  int ReadPixels(unsigned name, std::span<std::byte> out) override;
  void DeleteFramebuffer(unsigned name) override;
  unsigned CreateProgram(std::string_view vertex, std::string_view fragment) override;
  void DeleteProgram(unsigned name) override;
  int Draw(const TGfxDraw& draw) override;

private:
  struct TFramebuffer {
    unsigned nColor;  // renderbuffers
    unsigned nDepth;
    int nWidth;
    int nHeight;
  };

  MOpenGLBackend(void* display, void* context);
  // The backend with its context current on this thread, or null with the reason.
  static std::unique_ptr<MOpenGLBackend> Create(CString& reason);

  // 0 with a reason when called off the context's thread.
  int CheckThread();
  // Takes OpenGL's pending errors; 0 with a reason naming `what` when there was one.
  int CheckError(const wchar_t* what);
  int BindTexture(unsigned name, unsigned target);
  // Binds the framebuffer for drawing and reading; null with a reason when it does not exist.
  const TFramebuffer* BindFramebuffer(unsigned name);
  void DeleteFramebufferObjects(unsigned name, const TFramebuffer& fb);

  void* m_pDisplay;  // EGLDisplay
  void* m_pContext;  // EGLContext
  std::thread::id m_thread;
  std::unordered_map<unsigned, TFramebuffer> m_mapFramebuffer;
};

}  // namespace zar::oglib
