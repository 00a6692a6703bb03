#include "resultfile/PZARModelWriter150.h"

#include <limits>

#include "resultfile/PostFileWriter.h"
#include "resultfile/RecordTypes.h"

namespace pzar_writer {
namespace {

constexpr auto kMaxCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

int WriteInt(IPostFileWriter& writer, std::int32_t value) {
  return writer.Write(&value, sizeof(value));
}

template <class T>
int WriteArray(IPostFileWriter& writer, const zar::MArray<T>& values) {
  return values.empty() ||
         writer.Write(values.data(), static_cast<unsigned>(values.size() * sizeof(T)));
}

int WriteCoordinates(IPostFileWriter& writer, const zar::MArray<zar::MVector<double, 3>>& xyz) {
  if (writer.GetFloatSize() != 4) return WriteArray(writer, xyz);
  zar::MArray<float> narrow;
  narrow.reserve(xyz.size() * 3);
  for (const auto& p : xyz) {
    for (const double c : p.v) narrow.push_back(static_cast<float>(c));
  }
  return WriteArray(writer, narrow);
}

}  // namespace

int WriteFileHeader(IPostFileWriter& writer, std::int32_t version) {
  if (version != 130 && version != 150) return 0;
  char tag[4] = {};
  if (writer.GetFloatSize() == 4) {
    tag[0] = 'N';
    tag[1] = 'E';
  } else {
    tag[0] = 'D';
    tag[1] = 'B';
    tag[2] = 'L';
  }
  return WriteInt(writer, version) && writer.Write(tag, sizeof(tag));
}

int WriteNodeRecord(IPostFileWriter& writer, const zar::MArray<TNodeBlock>& blocks) {
  if (blocks.size() > kMaxCount) return 0;
  // Counts are int32 in the file, and one write of a block's coordinates stays below 4 GiB.
  for (const TNodeBlock& block : blocks) {
    if (block.aIDs.size() != block.aXYZ.size() || block.aIDs.size() > kMaxCount / 32) return 0;
  }
  int ok =
      writer.WriteRecordHeader(PZAR_RECORD_TYPE::NODE, static_cast<std::int32_t>(blocks.size()));
  for (const TNodeBlock& block : blocks) {
    ok = ok && WriteInt(writer, block.nKey) &&
         WriteInt(writer, static_cast<std::int32_t>(block.aIDs.size())) &&
         WriteArray(writer, block.aIDs) && WriteCoordinates(writer, block.aXYZ);
  }
  return ok;
}

int WriteElementRecord(IPostFileWriter& writer, const zar::MArray<TElemBlock>& blocks) {
  static_assert(sizeof(TElemEntry) == 22 * sizeof(std::int32_t));
  if (blocks.size() > kMaxCount) return 0;
  for (const TElemBlock& block : blocks) {
    if (block.aElems.size() > kMaxCount / sizeof(TElemEntry)) return 0;
  }
  int ok =
      writer.WriteRecordHeader(PZAR_RECORD_TYPE::ELEMENT, static_cast<std::int32_t>(blocks.size()));
  for (const TElemBlock& block : blocks) {
    ok = ok && WriteInt(writer, block.nKey) &&
         WriteInt(writer, static_cast<std::int32_t>(block.aElems.size())) &&
         WriteArray(writer, block.aElems);
  }
  return ok;
}

}  // namespace pzar_writer
