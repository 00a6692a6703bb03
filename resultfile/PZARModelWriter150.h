#pragma once
// Writes, through a result file writer, what no version-140 record class writes: the 8-byte
// file header of formats 130 and 150 (they have no offset table) and the format-150 node
// (10013) and element (10015) records. Reals go out in the writer's float size. Each function
// checks its input whole before writing anything and returns 1 when every write succeeded.
//
//   CPZARFileWriter_140 writer(4);
//   writer.OpenFile(path, 1, 0);
//   pzar_writer::WriteFileHeader(writer, 150);
//   pzar_writer::WriteNodeRecord(writer, nodeBlocks);
//   pzar_writer::WriteElementRecord(writer, elemBlocks);
//   writer.WriteEndOfFile();
//   writer.CloseFile();
#include <array>
#include <cstdint>

#include "base/Containers.h"

class IPostFileWriter;

namespace pzar_writer {

struct TNodeBlock {
  std::int32_t nKey = 0;
  zar::MArray<std::int32_t> aIDs;
  zar::MArray<zar::MVector<double, 3>> aXYZ;  // one per id
};

struct TElemEntry {
  std::int32_t nID = 0;
  std::int32_t nType = 0;                    // element type code, 0 to 15
  std::array<std::int32_t, 20> aNodes = {};  // unused slots 0
};

struct TElemBlock {
  std::int32_t nKey = 0;
  zar::MArray<TElemEntry> aElems;
};

// Version and real-type tag; 0 for version 140, whose header the writer itself writes.
int WriteFileHeader(IPostFileWriter& writer, std::int32_t version);
// Header and body; 0 without writing when a block's id and coordinate counts differ.
int WriteNodeRecord(IPostFileWriter& writer, const zar::MArray<TNodeBlock>& blocks);
int WriteElementRecord(IPostFileWriter& writer, const zar::MArray<TElemBlock>& blocks);

}  // namespace pzar_writer
