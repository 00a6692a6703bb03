#pragma once
// Scans a built result file and hands out its records, and captures a record's echo.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "PZARTestFile.h"
#include "base/ConvertString.h"
#include "base/ScratchFolder.h"
#include "resultfile/PZARFile.h"

// The rule that frames the titles of record echoes.
inline const std::wstring kEchoSep = L"--------------------------------------------\n";

// The bytes of the record's echo, which are in the system code page.
inline std::string EchoBytesOf(CPZARRecord& record) {
  FILE* pFile = std::tmpfile();
  EXPECT_EQ(record.WriteEcho(pFile), 1);
  std::rewind(pFile);
  std::string bytes;
  for (int c; (c = std::fgetc(pFile)) != EOF;) bytes.push_back(static_cast<char>(c));
  std::fclose(pFile);
  return bytes;
}

inline std::wstring EchoOf(CPZARRecord& record) {
  return zar::lib::MConvertString::ToWide(EchoBytesOf(record), 0).str();
}

class ScannedFile : public ::testing::Test {
protected:
  // Scans the first `length` bytes of the content (all by default).
  int Scan(const PZARTestFile& content, std::size_t length = std::string::npos) {
    content.Save(m_dir.Narrow("r.pzar"), length);
    return m_file.Scan(m_dir.Wide("r.pzar"));
  }
  std::vector<std::int32_t> KeptTypes() const {
    std::vector<std::int32_t> types;
    for (const auto& p : m_file.GetRecordList()) types.push_back(p->GetHeader().type);
    return types;
  }
  template <class T>
  T& At(std::size_t i) {
    return dynamic_cast<T&>(*m_file.GetRecordList().at(i));
  }

  ScratchFolder m_dir;
  CPZARFile m_file;
};
