// The stream record of the legend render data, in memory and in a file.
#include <climits>
#include <cstring>
#include <vector>

#include "base/File.h"
#include "render/IBMLegendRndrD.h"

namespace pvk {

namespace {

struct TBlockHead {
  std::uint64_t nCount = 0;
  std::uint64_t nSize = 0;  // of one element
};
static_assert(sizeof(TBlockHead) == 16);
constexpr std::uint64_t N_BLOCK = 4;

template <class T>
void WriteBlock(char*& p, const zar::MTArray<T>& a) {
  const TBlockHead head{a.size(), sizeof(T)};
  std::memcpy(p, &head, sizeof head);
  p += sizeof head;
  if (a.empty()) return;
  std::memcpy(p, a.data(), a.size() * sizeof(T));
  p += a.size() * sizeof(T);
}

// Reads one block from [p, end): its element size must be T's and its elements must lie
// before end, so nothing is sized from a count the record cannot hold.
template <class T>
bool ReadBlock(const char*& p, const char* end, zar::MTArray<T>& a) {
  TBlockHead head;
  if (static_cast<std::size_t>(end - p) < sizeof head) return false;
  std::memcpy(&head, p, sizeof head);
  p += sizeof head;
  if (head.nSize != sizeof(T) || head.nCount > static_cast<std::size_t>(end - p) / sizeof(T))
    return false;
  a.resize(head.nCount);
  if (head.nCount) std::memcpy(a.data(), p, head.nCount * sizeof(T));
  p += head.nCount * sizeof(T);
  return true;
}

bool FitsRead(std::uint64_t nSize) { return nSize <= UINT_MAX; }

}  // namespace

std::uint64_t CIBMLegendRndrD::GetInstSize(TStreamInfo* pInfo) const {
  const std::uint64_t size = N_BLOCK * sizeof(TBlockHead) +
                             sizeof(T_LEGEND_OBJ) * (m_aTop.size() + m_aBtm.size()) +
                             sizeof(double) * (m_aValue.size() + m_aPercent.size());
  if (pInfo) pInfo->aInstSize.push_back(size);
  return size;
}

void CIBMLegendRndrD::Write(char* p) const {
  WriteBlock(p, m_aTop);
  WriteBlock(p, m_aBtm);
  WriteBlock(p, m_aValue);
  WriteBlock(p, m_aPercent);
}

bool CIBMLegendRndrD::Read(const char* p, std::uint64_t nSize) {
  const char* const end = p + nSize;
  zar::MTArray<T_LEGEND_OBJ> top, btm;
  zar::MTArray<double> values, percents;
  if (!ReadBlock(p, end, top) || !ReadBlock(p, end, btm) || !ReadBlock(p, end, values) ||
      !ReadBlock(p, end, percents) || p != end)
    return false;
  m_aTop.swap(top);
  m_aBtm.swap(btm);
  m_aValue.swap(values);
  m_aPercent.swap(percents);
  return true;
}

int CIBMLegendRndrD::Data2Stream(char*& pBuf, TInstSizeIter& it) const {
  const std::uint64_t size = GetInstSize(nullptr);
  if (!pBuf || it.empty() || it.front() != size) return 0;
  Write(pBuf);
  pBuf += size;
  it = it.subspan(1);
  return 1;
}

int CIBMLegendRndrD::Stream2Data(const char*& pBuf, TInstSizeIter& it) {
  if (!pBuf || it.empty() || !Read(pBuf, it.front())) return 0;
  pBuf += it.front();
  it = it.subspan(1);
  return 1;
}

int CIBMLegendRndrD::Data2Stream(CFile* pFile, TInstSizeIter& it) const {
  const std::uint64_t size = GetInstSize(nullptr);
  if (!pFile || it.empty() || it.front() != size || !FitsRead(size)) return 0;
  std::vector<char> record(size);
  Write(record.data());
  std::uint64_t start = 0;
  try {
    start = pFile->GetPosition();
    pFile->Write(record.data(), static_cast<unsigned>(size));
  } catch (const CFileException&) {
    // Not advanced: the next record goes where this one failed.
    try {
      pFile->Seek(static_cast<std::int64_t>(start), CFile::begin);
    } catch (const CFileException&) {
    }
    return 0;
  }
  it = it.subspan(1);
  return 1;
}

int CIBMLegendRndrD::Stream2Data(CFile* pFile, TInstSizeIter& it) {
  if (!pFile || it.empty() || !FitsRead(it.front())) return 0;
  const std::uint64_t size = it.front();
  try {
    const std::uint64_t start = pFile->GetPosition();
    const std::uint64_t length = pFile->GetLength();
    if (start > length || size > length - start) return 0;
    std::vector<char> record(size);
    if (pFile->Read(record.data(), static_cast<unsigned>(size)) != size ||
        !Read(record.data(), size)) {
      pFile->Seek(static_cast<std::int64_t>(start), CFile::begin);
      return 0;
    }
  } catch (const CFileException&) {
    return 0;
  }
  it = it.subspan(1);
  return 1;
}

}  // namespace pvk
