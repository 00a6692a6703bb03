#pragma once
// Scans a built result file and hands out its records, and captures a record's echo.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "PZARTestFile.h"
#include "base/ScratchFolder.h"
#include "resultfile/PZARFile.h"

// The record's echo as written to a wide text stream, ASCII only.
inline std::wstring EchoOf(CPZARRecord& record) {
  FILE* pFile = std::tmpfile();
  EXPECT_EQ(record.WriteEcho(pFile), 1);
  std::rewind(pFile);
  std::wstring text;
  for (wint_t c; (c = std::fgetwc(pFile)) != WEOF;) text.push_back(static_cast<wchar_t>(c));
  std::fclose(pFile);
  return text;
}

class ScannedFile : public ::testing::Test {
protected:
  int Scan(const PZARTestFile& content) {
    content.Save(m_dir.Narrow("r.pzar"));
    return m_file.Scan(m_dir.Wide("r.pzar"));
  }
  template <class T>
  T& At(std::size_t i) {
    return dynamic_cast<T&>(*m_file.GetRecordList().at(i));
  }

  ScratchFolder m_dir;
  CPZARFile m_file;
};
