#pragma once
// Runs a test once on each graphics backend. Where no OpenGL context can be made the OpenGL
// runs skip with the reason, unless PVK_REQUIRE_GL=1 makes that a failure (CI).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/ConvertString.h"
#include "render/OpenGLBackend.h"
#include "render/RecordingBackend.h"

inline bool OpenGLRequired() {
  const char* require = std::getenv("PVK_REQUIRE_GL");
  return require && std::strcmp(require, "1") == 0;
}

inline std::string OpenGLCreateReason() {
  return zar::lib::MConvertString::ToMultiByte(zar::oglib::MOpenGLBackend::GetCreateReason().str(),
                                               65001);
}

enum class EGfxBackendKind { RECORDING, OPENGL };

inline std::string GfxBackendName(const testing::TestParamInfo<EGfxBackendKind>& info) {
  return info.param == EGfxBackendKind::RECORDING ? "Recording" : "OpenGL";
}

class GfxBackendTest : public testing::TestWithParam<EGfxBackendKind> {
protected:
  void SetUp() override {
    if (GetParam() == EGfxBackendKind::RECORDING) {
      m_pRecorder = &m_recorder;
      m_pBackend = &m_recorder;
    } else if (!(m_pBackend = zar::oglib::MOpenGLBackend::Instance())) {
      if (OpenGLRequired()) FAIL() << OpenGLCreateReason();
      GTEST_SKIP() << OpenGLCreateReason();
    }
    m_pPrevious = zar::oglib::SetGfxBackend(m_pBackend);
  }
  void TearDown() override { zar::oglib::SetGfxBackend(m_pPrevious); }

  zar::oglib::MRecordingBackend m_recorder;
  zar::oglib::MRecordingBackend* m_pRecorder = nullptr;  // set on the recording runs only
  zar::oglib::IGfxBackend* m_pBackend = nullptr;
  zar::oglib::IGfxBackend* m_pPrevious = nullptr;
};

#define PVK_ON_BOTH_GFX_BACKENDS(suite)                                                          \
  INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                      \
                           testing::Values(EGfxBackendKind::RECORDING, EGfxBackendKind::OPENGL), \
                           GfxBackendName)
