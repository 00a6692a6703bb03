#include <gtest/gtest.h>

#include <fstream>

#include "base/File.h"
#include "base/ScratchFolder.h"
#include "datastore/PostCacheFileUnitResultDataLoader.h"
#include "datastore/PostCacheFileUnitResultIDLoader.h"
#include "session/MemModelDB.h"

namespace {

constexpr double kValues[] = {1.5, -2.25, 1e300, 0.0, 3.0};
constexpr std::int32_t kIds[] = {30, 10, 99, 30};
constexpr std::uint64_t kValueOffset = 13;  // an odd offset, as a host may choose
constexpr std::uint64_t kIdOffset = kValueOffset + sizeof kValues;

// A cache file holding a junk prefix, a block of doubles and a block of ids.
class CacheFile : public ::testing::Test {
protected:
  void SetUp() override {
    {
      std::ofstream out(m_dir.Narrow("cache.bin"), std::ios::binary);
      out << std::string(kValueOffset, '#');
      out.write(reinterpret_cast<const char*>(kValues), sizeof kValues);
      out.write(reinterpret_cast<const char*>(kIds), sizeof kIds);
    }
    ASSERT_TRUE(m_file.Open(m_dir.Wide("cache.bin"), CFile::modeRead));
  }

  TFileDataInfo Block(std::uint64_t offset, std::uint32_t count) {
    return {&m_file, offset, count};
  }

  ScratchFolder m_dir;
  CFile m_file;
};

TEST_F(CacheFile, ResultDataLoaderReadsTheBlockExactlyThroughEveryForm) {
  CPostCacheFileUnitResultDataLoader loader(Block(kValueOffset, 5));
  const zar::MArray<double> expected(std::begin(kValues), std::end(kValues));
  zar::MArray<double> out(9, 7.0);  // a reused array of another size
  EXPECT_EQ(loader.LoadData(out, nullptr, nullptr), 1);
  EXPECT_EQ(out, expected);
  zar::MArray<std::uint64_t> dbItrs{1, 2};
  out.assign(2, 7.0);
  EXPECT_EQ(loader.LoadData(out, dbItrs, nullptr, nullptr), 1);
  EXPECT_EQ(out, expected);
  out.clear();
  EXPECT_EQ(loader.LoadData(out, std::as_const(dbItrs), nullptr), 1);
  EXPECT_EQ(out, expected);

  for (const auto& [block, same] : {std::pair{Block(kValueOffset, 5), 1},
                                    {Block(kValueOffset, 4), 0},
                                    {Block(kValueOffset + 8, 5), 0}}) {
    CPostCacheFileUnitResultDataLoader other(block);
    EXPECT_EQ(loader.IsSameData(&other, nullptr, nullptr), same);
  }
}

TEST_F(CacheFile, BlocksOutsideTheFileOrWithoutAFileFailWithAnEmptyOutput) {
  const std::uint64_t length = m_file.GetLength();
  CFile closed;
  const TFileDataInfo bad[] = {
      Block(kValueOffset, 15),           // runs past the end
      Block(length - 3, 1),              // a byte short of one id
      Block(length + 8, 0),              // starts beyond the end
      Block(kValueOffset, 0xFFFFFFFFu),  // must not allocate 32 GiB
      {nullptr, kValueOffset, 5},
      {&closed, kValueOffset, 5},
  };
  for (const TFileDataInfo& info : bad) {
    zar::MArray<double> values(3, 1.0);
    EXPECT_EQ(CPostCacheFileUnitResultDataLoader(info).LoadData(values, nullptr, nullptr), 0);
    EXPECT_TRUE(values.empty());
    zar::MArray<std::int32_t> ids(3, 1);
    CPostCacheFileUnitResultIDLoader idLoader(info, pvk::LOC_NODE);
    EXPECT_EQ(idLoader.LoadData(ids, nullptr, nullptr), 0);
    EXPECT_TRUE(ids.empty());
  }

  zar::MArray<double> values(3, 1.0);  // the last whole value of the file, and no value
  EXPECT_EQ(
      CPostCacheFileUnitResultDataLoader(Block(length - 8, 1)).LoadData(values, nullptr, nullptr),
      1);
  EXPECT_EQ(CPostCacheFileUnitResultDataLoader(Block(length, 0)).LoadData(values, nullptr, nullptr),
            1);
  EXPECT_TRUE(values.empty());
}

// The data loader keeps its own copy of the data information.
TEST_F(CacheFile, ResultDataLoaderCopiesTheDataInformation) {
  pvk::TVResDInfo given{{4, 5, 6}};
  CPostCacheFileUnitResultDataLoader with(Block(kValueOffset, 5), &given);
  given.nInfo[2] = 0;
  pvk::TVResDInfo got;
  EXPECT_EQ(with.GetDataInfo(&got), 1);
  EXPECT_EQ(got, (pvk::TVResDInfo{{4, 5, 6}}));

  CPostCacheFileUnitResultDataLoader copy(with);
  EXPECT_EQ(copy.GetDataInfo(&got), 1);
  EXPECT_EQ(got.nInfo[0], 4);
}

TEST_F(CacheFile, ResultIdLoaderOrdersStoredIdsByTheGivenIterators) {
  CMemModelDB db;
  const std::uint64_t n10 = db.AddNode(10, 0, 0, 0);
  db.AddNode(20, 0, 0, 0);
  const std::uint64_t n30 = db.AddNode(30, 0, 0, 0);
  const std::uint64_t n40 = db.AddNode(40, 0, 0, 0);
  const std::uint64_t e30 = db.AddElement(30, 1, {10});
  const zar::MArray<std::int32_t> stored(std::begin(kIds), std::end(kIds));

  CPostCacheFileUnitResultIDLoader nodes(Block(kIdOffset, 4), pvk::LOC_NODE);
  zar::MArray<std::int32_t> out;
  EXPECT_EQ(nodes.LoadData(out, nullptr, nullptr), 1);
  EXPECT_EQ(out, stored);
  const zar::MArray<std::uint64_t> dbItrs{n40, n30, e30, n10, n30, 0};
  EXPECT_EQ(nodes.LoadData(out, dbItrs, nullptr), 1);  // no model: all stored ids
  EXPECT_EQ(out, stored);
  // 99 is not in the model, 40 is not stored, the element iterator is no node.
  EXPECT_EQ(nodes.LoadData(out, dbItrs, &db), 1);
  EXPECT_EQ(out, (zar::MArray<std::int32_t>{30, 30, 10}));

  CPostCacheFileUnitResultIDLoader elems(Block(kIdOffset, 4), pvk::LOC_ELEM);
  EXPECT_EQ(elems.LoadData(out, dbItrs, &db), 1);
  EXPECT_EQ(out, (zar::MArray<std::int32_t>{30, 30}));

  CPostCacheFileUnitResultIDLoader broken(Block(kIdOffset, 5), pvk::LOC_NODE);
  out.assign(2, 1);
  EXPECT_EQ(broken.LoadData(out, dbItrs, &db), 0);
  EXPECT_TRUE(out.empty());
}

}  // namespace
