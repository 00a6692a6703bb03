// Filling a fresh model database from a file's node and element records, on beam grids of
// 32 x 32 nodes a slice and a growing number of slices (64k, 256k, 1M nodes; as many hexahedra
// less one slice). The anchor reads the same records into reused arrays in the same run, the
// least the fill has to do. Warm page cache; the fill's time includes freeing the database.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>

#include "BenchResultFile.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileModel.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/records/PZARRecordBlocks150.h"
#include "session/MemModelDB.h"

namespace {

constexpr std::int32_t kSide = 32;  // nodes across a slice
constexpr std::int32_t kHexCode = 14;

std::int32_t NodeID(std::int32_t x, std::int32_t y, std::int32_t z) {
  return (x * kSide + y) * kSide + z + 1;
}

zar::MArray<pzar_writer::TElemBlock> Hexahedra(std::int32_t slices) {
  pzar_writer::TElemBlock block{.nKey = 1, .aElems = {}};
  std::int32_t id = 0;
  for (std::int32_t x = 0; x + 1 < slices; ++x)
    for (std::int32_t y = 0; y + 1 < kSide; ++y)
      for (std::int32_t z = 0; z + 1 < kSide; ++z) {
        pzar_writer::TElemEntry& e = block.aElems.emplace_back();
        e.nID = ++id;
        e.nType = kHexCode;
        e.aNodes = {NodeID(x, y, z),
                    NodeID(x + 1, y, z),
                    NodeID(x + 1, y + 1, z),
                    NodeID(x, y + 1, z),
                    NodeID(x, y, z + 1),
                    NodeID(x + 1, y, z + 1),
                    NodeID(x + 1, y + 1, z + 1),
                    NodeID(x, y + 1, z + 1)};
      }
  return {block};
}

bool WriteBeam(CPZARFileWriter_140& writer, std::int32_t slices) {
  pzar_writer::TNodeBlock nodes{.nKey = 1, .aIDs = {}, .aXYZ = {}};
  for (std::int32_t x = 0; x < slices; ++x)
    for (std::int32_t y = 0; y < kSide; ++y)
      for (std::int32_t z = 0; z < kSide; ++z) {
        nodes.aIDs.push_back(NodeID(x, y, z));
        nodes.aXYZ.push_back({{double(x), double(y), double(z)}});
      }
  return pzar_writer::WriteNodeRecord(writer, {nodes}) &&
         pzar_writer::WriteElementRecord(writer, Hexahedra(slices));
}

// The scanned file of that many slices, written on first use.
const CPZARFile& BeamFile(std::int32_t slices) {
  static std::map<std::int32_t, std::unique_ptr<BenchResultFile>> s_files;
  static std::map<std::int32_t, std::unique_ptr<CPZARFile>> s_scanned;
  auto& pFile = s_scanned[slices];
  if (!pFile) {
    s_files[slices] = std::make_unique<BenchResultFile>(
        "model-" + std::to_string(slices),
        [slices](CPZARFileWriter_140& writer) { return WriteBeam(writer, slices); });
    pFile = std::make_unique<CPZARFile>();
    if (pFile->Scan(s_files[slices]->Wide()) != 1) std::abort();
  }
  return *pFile;
}

template <class TRecord>
const TRecord& Record(const CPZARFile& file) {
  for (const auto& pRecord : file.GetRecordList())
    if (const auto* pTyped = PZARRecordCast<TRecord>(pRecord.get())) return *pTyped;
  std::abort();
}

void SetItems(benchmark::State& state, std::int32_t slices) {
  const std::int64_t nodes = std::int64_t{slices} * kSide * kSide;
  const std::int64_t elems = std::int64_t{slices - 1} * (kSide - 1) * (kSide - 1);
  state.SetItemsProcessed(state.iterations() * (nodes + elems));
  state.counters["nodes"] = static_cast<double>(nodes);
}

void BM_ReadModelRecords(benchmark::State& state) {
  const auto slices = static_cast<std::int32_t>(state.range(0));
  const CPZARFile& file = BeamFile(slices);
  zar::MArray<int> ids, types, counts, nodeIds;
  zar::MArray<zar::MVector<double, 3>> pos;
  for (auto _ : state) {
    if (!Record<CPZARRecordNode_150>(file).GetNodeData(ids, pos) ||
        !Record<CPZARRecordElement_150>(file).GetElemData(ids, types, counts, nodeIds))
      state.SkipWithError("read failed");
    benchmark::DoNotOptimize(pos.data());
    benchmark::DoNotOptimize(nodeIds.data());
  }
  SetItems(state, slices);
}
BENCHMARK(BM_ReadModelRecords)->RangeMultiplier(4)->Range(64, 1024)->Unit(benchmark::kMillisecond);

void BM_FillModelDB(benchmark::State& state) {
  const auto slices = static_cast<std::int32_t>(state.range(0));
  const CPZARFile& file = BeamFile(slices);
  for (auto _ : state) {
    CMemModelDB db;
    if (pzar_model::FillModelDBFromFile(file, db) == 0) state.SkipWithError("fill failed");
    benchmark::DoNotOptimize(db.GetNodeTable()->GetCount());
  }
  SetItems(state, slices);
}
BENCHMARK(BM_FillModelDB)->RangeMultiplier(4)->Range(64, 1024)->Unit(benchmark::kMillisecond);

}  // namespace
