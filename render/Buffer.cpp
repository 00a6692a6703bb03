#include "render/Buffer.h"

#include "base/MsgOut.h"

namespace zar::oglib {

int MBuffer::GLGenerate() {
  GLDelete();
  IGfxBackend* backend = GetGfxBackend();
  if (!backend) return Fail(L"No graphics backend is set");
  m_nName = backend->GenBuffer();
  if (m_nName == 0) return BackendFailed(*backend);
  m_pBackend = backend;
  return 1;
}

int MBuffer::GLSetData(std::span<const std::byte> data, unsigned usage) {
  if (!m_pBackend) return Fail(L"The buffer is not generated");
  if (!m_pBackend->BufferData(m_nName, m_nTarget, data, usage)) {
    m_nSize = 0;
    return BackendFailed(*m_pBackend);
  }
  m_nSize = data.size();
  return 1;
}

int MBuffer::GLGetData(std::size_t offset, std::span<std::byte> out) const {
  if (!m_pBackend) return Fail(L"The buffer is not generated");
  return m_pBackend->GetBufferSubData(m_nName, offset, out) ? 1 : BackendFailed(*m_pBackend);
}

void MBuffer::GLDelete() {
  if (m_pBackend) m_pBackend->DeleteBuffer(m_nName);
  m_pBackend = nullptr;
  m_nName = 0;
  m_nSize = 0;
}

}  // namespace zar::oglib
