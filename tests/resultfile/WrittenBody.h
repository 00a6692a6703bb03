#pragma once
// Record bodies written by the version-140 records themselves, to be scanned back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "base/File.h"
#include "base/ScratchFolder.h"

// Writes one body through TRecord::Write with the record data that `fill` sets up.
template <class TRecord, class TData, class TFill>
std::vector<char> WrittenBody(const ScratchFolder& dir, TFill fill) {
  {
    CFile file(dir.Wide("body.bin"), CFile::modeCreate | CFile::modeWrite);
    TData data(&file);
    fill(data);
    TRecord record;
    EXPECT_EQ(record.Write(&data), 1);
  }
  std::ifstream in(dir.Narrow("body.bin"), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
