#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "PZARTestFile.h"
#include "TestRecords.h"
#include "base/BufferedFile.h"
#include "base/ScratchFolder.h"
#include "resultfile/PZARFile.h"

namespace {

// Joins by appending: GCC 12 at -O3 warns falsely about string operator+.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (const auto part : parts) s.append(part);
  return s;
}

class PZARRecordText : public ::testing::Test {
protected:
  // Opens a file holding the bytes, with the record attached to a result file of the code page.
  CFile& Open(const std::string& bytes, std::int32_t codePage = 0) {
    PZARTestFile content;
    content.Raw(bytes.data(), bytes.size());
    content.Save(m_dir.Narrow("t.bin"));
    m_owner.SetEncodingCodePage(codePage);
    m_record.SetFile(&m_owner);
    EXPECT_TRUE(m_file.Open(m_dir.Wide("t.bin"), CFile::modeRead));
    m_file.Seek(8, CFile::begin);  // past the header the builder writes
    return m_file;
  }

  ScratchFolder m_dir;
  CPZARFile m_owner;
  CBufferedFile m_file;
  pzar_test::CSkipRecord m_record;
};

// A field is read whole up to its first NUL; of an over-long one 127 bytes are kept and the
// rest is passed over.
TEST_F(PZARRecordText, ReadsFieldsToTheFirstNulAndPassesOverTheRest) {
  const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012";
  ASSERT_EQ(full.size(), 29u);
  CFile& file = Open(
      Join({full, std::string_view("Short\0\0\0\0\0tail", 14), std::string(200, 'a'), "next"}));
  CString text;
  m_record.ReadString(file, 29, text);
  EXPECT_EQ(text, CString(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ012"));
  m_record.ReadString(file, 14, text);
  EXPECT_EQ(text, CString(L"Short"));
  m_record.ReadString(file, 200, text);
  EXPECT_EQ(text, CString(std::wstring(127, L'a')));
  m_record.ReadString(file, 4, text);
  EXPECT_EQ(text, CString(L"next"));
}

TEST_F(PZARRecordText, ConvertsFromTheFileCodePageOrFromUtf8) {
  const std::string utf8 = "\xED\x95\x9C";  // U+D55C in UTF-8
  CFile& file = Open(Join({utf8, utf8}), 65001);
  CString text;
  m_record.ReadString(file, 3, text);
  EXPECT_EQ(text, CString(L"\xD55C"));
  m_owner.SetEncodingCodePage(0);
  m_record.ReadStringToANSI(file, 3, text);
  EXPECT_EQ(text, CString(L"\xD55C"));
}

}  // namespace
