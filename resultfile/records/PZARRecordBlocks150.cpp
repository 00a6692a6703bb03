#include "resultfile/records/PZARRecordBlocks150.h"

#include <array>

#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "session/ElemTypeTable.h"

namespace {

using PZAR_RECORD_VER::VER_150;
const CPZARRecordRegistrar<CPZARRecordNode_150> s_node(PZAR_RECORD_TYPE::NODE, VER_150);
const CPZARRecordRegistrar<CPZARRecordElement_150> s_elem(PZAR_RECORD_TYPE::ELEMENT, VER_150);

// Restores the file position when a lazy read is done, so that a scan in progress goes on.
class CKeepPosition {
public:
  explicit CKeepPosition(CFile& file) : m_file(file), m_nPos(file.GetPosition()) {}
  ~CKeepPosition() { m_file.Seek(static_cast<std::int64_t>(m_nPos), CFile::begin); }
  CKeepPosition(const CKeepPosition&) = delete;
  CKeepPosition& operator=(const CKeepPosition&) = delete;

private:
  CFile& m_file;
  std::uint64_t m_nPos;
};

}  // namespace

int CPZARRecordBlocks150::_Scan(CFile& file) {
  m_mapBlock.clear();
  for (std::int32_t i = 0; i < GetHeader().id; ++i) {
    const std::uint64_t start = file.GetPosition();
    std::int32_t key = 0;
    std::int32_t count = 0;
    if (!pzar_body::Read(*this, file, key, count)) return 0;
    const std::uint64_t bytes = count > 0 ? static_cast<std::uint64_t>(count) * GetEntryBytes() : 0;
    if (!HasBytesLeft(file, bytes)) return 0;
    file.Seek(static_cast<std::int64_t>(bytes), CFile::current);
    m_mapBlock.emplace(key, start);
  }
  return 1;
}

bool CPZARRecordBlocks150::ForEachBlock(
    const std::function<bool(CFile&, std::int32_t, std::int32_t)>& read) const {
  CPZARFile* pOwner = GetFile();
  if (!pOwner) return false;
  CFile& file = pOwner->GetFile();
  const CKeepPosition keep(file);
  for (const auto& [key, start] : m_mapBlock) {
    file.Seek(static_cast<std::int64_t>(start), CFile::begin);
    std::int32_t fileKey = 0;
    std::int32_t count = 0;
    if (!pzar_body::Read(*this, file, fileKey, count) || fileKey != key) return false;
    if (count < 1) continue;
    if (!HasBytesLeft(file, static_cast<std::uint64_t>(count) * GetEntryBytes())) return false;
    if (!read(file, key, count)) return false;
  }
  return true;
}

std::int32_t CPZARRecordNode_150::GetType() const { return kType; }

std::int32_t CPZARRecordNode_150::GetRealWidth() const {
  const CPZARFile* pOwner = GetFile();
  return pOwner && pOwner->GetFloatSize() == 4 ? 4 : 8;
}

std::uint64_t CPZARRecordNode_150::GetEntryBytes() const {
  return sizeof(std::int32_t) + 3 * static_cast<std::uint64_t>(GetRealWidth());
}

int CPZARRecordNode_150::GetNodeData(zar::MArray<int>& ids,
                                     zar::MArray<zar::MVector<double, 3>>& pos) const {
  ids.clear();
  pos.clear();
  const std::int32_t width = GetRealWidth();
  return ForEachBlock([&](CFile& file, std::int32_t /*key*/, std::int32_t count) {
    zar::MArray<int> blockIds;
    if (!pzar_body::ReadArray(*this, file, count, blockIds)) return false;
    ids.insert(ids.end(), blockIds.begin(), blockIds.end());
    for (std::int32_t i = 0; i < count; ++i) {
      zar::MVector<double, 3>& p = pos.emplace_back();
      for (double& c : p.v)
        if (!pzar_body::ReadReal(*this, file, width, c)) return false;
    }
    return true;
  })
             ? 1
             : 0;
}

int CPZARRecordNode_150::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"NODE                                        \n");
  return pzar_echo::Echo(pFile, L"\n\n");
}

std::int32_t CPZARRecordElement_150::GetType() const { return kType; }

int CPZARRecordElement_150::GetElemData(zar::MArray<int>& ids, zar::MArray<int>& types,
                                        zar::MArray<int>& nodeCnts,
                                        zar::MArray<int>& nodeIds) const {
  ids.clear();
  types.clear();
  nodeCnts.clear();
  nodeIds.clear();
  return ForEachBlock([&](CFile& file, std::int32_t /*key*/, std::int32_t count) {
    std::array<std::int32_t, 2 + kNodeSlots> entry{};
    for (std::int32_t i = 0; i < count; ++i) {
      if (!pzar_body::Read(*this, file, entry)) return false;
      const std::int32_t type = entry[1];
      const pvk::TElemTypeEntry* pType = pvk::GetElemTypeEntry(type);
      if (!pType) return false;
      const int nodeCnt = pType->m_nNodeCnt;
      ids.push_back(entry[0]);
      types.push_back(type);
      nodeCnts.push_back(nodeCnt);
      nodeIds.insert(nodeIds.end(), entry.begin() + 2, entry.begin() + 2 + nodeCnt);
    }
    return true;
  })
             ? 1
             : 0;
}

int CPZARRecordElement_150::GetFacetData(zar::MArray<int>& facetIds, zar::MArray<int>& elemIds,
                                         zar::MArray<int>& bodyIds,
                                         zar::MArray<int>& nodeIds) const {
  for (auto* a : {&facetIds, &elemIds, &bodyIds, &nodeIds}) a->clear();
  return ForEachBlock([&](CFile& file, std::int32_t key, std::int32_t count) {
    std::array<std::int32_t, 2 + kNodeSlots> entry{};
    for (std::int32_t i = 0; i < count; ++i) {
      if (!pzar_body::Read(*this, file, entry)) return false;
      if (entry[1] != kFacetTypeCode) continue;
      facetIds.push_back(entry[0]);
      elemIds.push_back(key);
      bodyIds.push_back(key);
      nodeIds.insert(nodeIds.end(), entry.begin() + 2, entry.begin() + 2 + kFacetNodes);
    }
    return true;
  })
             ? 1
             : 0;
}

int CPZARRecordElement_150::_WriteEcho(FILE* pFile) {
  pzar_echo::Title(pFile, L"ELEMENT                                     \n");
  return pzar_echo::Echo(pFile, L"\n\n");
}
