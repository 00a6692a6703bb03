#include "render/RndrVDFileStreammer.h"

#include <fcntl.h>
#include <unistd.h>

#include <limits>
#include <string>
#include <utility>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"
#include "render/AnimCacheFolder.h"

namespace {

// The largest end that a file, and so a buffer or a running file offset, may reach.
constexpr std::uint64_t kMaxEnd = std::numeric_limits<std::int64_t>::max();

std::string Narrow(const CString& path) {
  return zar::lib::MConvertString::ToMultiByte(path.str(), CP_UTF8);
}

// True when nSize more bytes after nUsed stay within kMaxEnd.
bool FitsAfter(std::uint64_t nUsed, std::uint64_t nSize) {
  return nUsed <= kMaxEnd && nSize <= kMaxEnd - nUsed;
}

CString BaseName(const wchar_t* name, const void* streamer) {
  CString base = zar::lib::MFileCtrl::GetFileNameExt(name);
  if (base.IsEmpty()) base.Format(L"%p_%p", static_cast<std::uint64_t>(::getpid()), streamer);
  return base;
}

}  // namespace

CRndrVDFileStreammer::CRndrVDFileStreammer(const wchar_t* folder, const wchar_t* name)
    : m_strFolder(pvk::render::MakeAnimProcessFolder(folder)), m_strName(BaseName(name, this)) {
  RemakeMemoryFile();
}

CRndrVDFileStreammer::~CRndrVDFileStreammer() {
  RemoveStreamFiles();
  m_pMemFile.reset();
  // Fails while another streamer of this process still has files there; never follows a link.
  if (!m_strFolder.IsEmpty()) ::rmdir(Narrow(m_strFolder).c_str());
}

int CRndrVDFileStreammer::AvailableMemoryFile(std::uint64_t nSize) const {
  return m_nUsed < m_nMaxCapacity && nSize < m_nMaxCapacity - m_nUsed;
}

char* CRndrVDFileStreammer::AddStreamBuffer(std::uint64_t nSize, std::uint64_t& nOffset) {
  if (!m_bEnable || !m_pMemFile || !FitsAfter(m_nUsed, nSize)) return nullptr;
  // Growth is exactly to the new end: the committed capacity is the peak use.
  if (!m_pMemFile->resize(m_nUsed + nSize) || !m_pMemFile->data()) {
    m_bEnable = 0;
    return nullptr;
  }
  nOffset = m_nUsed;
  m_nUsed += nSize;
  return m_pMemFile->data() + nOffset;
}

void CRndrVDFileStreammer::ReverseStreamBuffer(std::uint64_t nSize, std::uint64_t nOffset,
                                               int bEnable) {
  if (!m_bEnable) return;
  m_bEnable = bEnable;
  // Any other pair than the last buffer would leave the memory file and the counter apart.
  if (!m_pMemFile || nSize > m_nUsed || nOffset != m_nUsed - nSize) return;
  m_pMemFile->resize(nOffset);
  m_nUsed = nOffset;
}

const char* CRndrVDFileStreammer::GetStreamBuffer(std::uint64_t nSize,
                                                  std::uint64_t nOffset) const {
  if (!m_pMemFile || !m_pMemFile->data()) return nullptr;
  const std::uint64_t size = m_pMemFile->size();
  if (nOffset > size || nSize > size - nOffset) return nullptr;
  return m_pMemFile->data() + nOffset;
}

CFile* CRndrVDFileStreammer::AddStreamFile(std::uint64_t nSize, std::uint64_t& nOffset) {
  if (m_strFolder.IsEmpty() || !FitsAfter(m_nFileOffset, nSize)) return nullptr;
  const CString path = StreamFilePath(nSize, m_nFileOffset);
  if (m_mapStreamFiles.contains(path)) return nullptr;
  // Exclusive and without following a link, so nothing planted in its place is written.
  const int fd =
      ::open(Narrow(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  auto file = std::make_unique<CFile>(fd);
  file->SetFilePath(path);
  CFile* const added = m_mapStreamFiles.emplace(path, std::move(file)).first->second.get();
  nOffset = m_nFileOffset;
  m_nFileOffset += nSize;
  return added;
}

CFile* CRndrVDFileStreammer::GetStreamFile(std::uint64_t nSize, std::uint64_t nOffset) const {
  const auto found = m_mapStreamFiles.find(StreamFilePath(nSize, nOffset));
  return found == m_mapStreamFiles.end() ? nullptr : found->second.get();
}

void CRndrVDFileStreammer::Clear() {
  m_bEnable = 1;
  m_nMaxCapacity = 0;
  m_nUsed = 0;
  m_nFileOffset = 0;
  RemoveStreamFiles();
  if (!m_pMemFile || !m_pMemFile->data()) RemakeMemoryFile();
}

void CRndrVDFileStreammer::CommitMaxCapacity() {
  Clear();
  m_nMaxCapacity = m_pMemFile ? m_pMemFile->capacity() : 0;
  RemakeMemoryFile();
}

void CRndrVDFileStreammer::RemakeMemoryFile() {
  // The old file goes first: the new one takes its path.
  m_pMemFile.reset();
  if (m_strFolder.IsEmpty()) return;
  const CString path = m_strFolder + m_strName + L".mmap";
  // Whatever holds the name (a file of another streamer of the same name, or a link) is
  // unlinked rather than truncated or followed, and the new file is created exclusively.
  ::unlink(Narrow(path).c_str());
  m_pMemFile = std::make_unique<CMemoryFile>(path, CMemoryFile::create_new);
}

CString CRndrVDFileStreammer::StreamFilePath(std::uint64_t nSize, std::uint64_t nOffset) const {
  CString path;
  path.Format(L"%s%p_%llu_%llu.mani", m_strFolder.GetString(), static_cast<const void*>(this),
              nSize, nOffset);
  return path;
}

void CRndrVDFileStreammer::RemoveStreamFiles() {
  for (auto& [path, file] : m_mapStreamFiles) {
    file->Abort();
    ::unlink(Narrow(path).c_str());
  }
  m_mapStreamFiles.clear();
}
