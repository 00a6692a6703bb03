#pragma once
// The version-150 model records: nodes (type 10013) and elements (type 10015). The header id
// is the number of blocks; each block starts with a key and an entry count. The scan only maps
// each key to where its block starts; the entries are read back from the open file on demand.
#include <cstdint>
#include <functional>
#include <map>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"

class PVK_API CPZARRecordBlocks150 : public CPZARRecord {
public:
  using TBlockMap = std::map<std::int32_t, std::uint64_t>;

  // Block key to the file position of the block; the first block of a key wins.
  const TBlockMap& GetBlockMap() const { return m_mapBlock; }

protected:
  // The bytes of one entry of a block.
  virtual std::uint64_t GetEntryBytes() const = 0;
  int _Scan(CFile& file) override;
  // Calls read(file, key, count) with the file placed at each mapped block's first entry, in
  // key order, after checking that the entries are there. The file position is kept.
  bool ForEachBlock(const std::function<bool(CFile&, std::int32_t, std::int32_t)>& read) const;

private:
  TBlockMap m_mapBlock;
};

class PVK_API CPZARRecordNode_150 final : public CPZARRecordBlocks150 {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::NODE;
  std::int32_t GetType() const override;
  // Ids and coordinates of all nodes; 0 when the file cannot be read.
  int GetNodeData(zar::MArray<int>& ids, zar::MArray<zar::MVector<double, 3>>& pos) const;

protected:
  // An id and three reals of the file's width.
  std::uint64_t GetEntryBytes() const override;
  int _WriteEcho(FILE* pFile) override;

private:
  std::int32_t GetRealWidth() const;
};

// An element entry: id, type code (0 to 15) and 20 node id slots, unused slots 0.
//
// A grid result file gives the surfaces of its parts as element blocks: the block key is the
// part id, each 3-node triangle entry one facet of the part's surface.
class PVK_API CPZARRecordElement_150 final : public CPZARRecordBlocks150 {
public:
  static constexpr std::int32_t kType = PZAR_RECORD_TYPE::ELEMENT;
  static constexpr int kNodeSlots = 20;
  static constexpr std::int32_t kFacetTypeCode = 4;  // 3-node triangle
  static constexpr int kFacetNodes = 3;

  std::int32_t GetType() const override;
  // Element ids, type codes, node counts of the types and the elements' node ids one after
  // another; 0 when the file cannot be read or a type code is unknown.
  int GetElemData(zar::MArray<int>& ids, zar::MArray<int>& types, zar::MArray<int>& nodeCnts,
                  zar::MArray<int>& nodeIds) const;
  // The facet data of the triangle entries, as the mesh post unit takes them: facet ids, the
  // element and the body of each (both the block key) and three node ids per facet; other
  // entries are passed over. 0 when the file cannot be read.
  int GetFacetData(zar::MArray<int>& facetIds, zar::MArray<int>& elemIds, zar::MArray<int>& bodyIds,
                   zar::MArray<int>& nodeIds) const;

protected:
  std::uint64_t GetEntryBytes() const override { return (2 + kNodeSlots) * sizeof(std::int32_t); }
  int _WriteEcho(FILE* pFile) override;
};
