#include "resultfile/PZARRecord.h"

#include <algorithm>
#include <cstring>

#include "base/ConvertString.h"
#include "base/File.h"
#include "resultfile/PZARFile.h"

CPZARFile* CPZARRecord::GetFile() const { return dynamic_cast<CPZARFile*>(IPostRecord::GetFile()); }

void CPZARRecord::ReadString(CFile& file, unsigned length, CString& out) const {
  const CPZARFile* pFile = GetFile();
  const auto codePage = static_cast<unsigned>(pFile ? pFile->GetEncodingCodePage() : 0);
  out = zar::lib::MConvertString::ToWide(ReadField(file, length), codePage);
}

void CPZARRecord::ReadStringToANSI(CFile& file, unsigned length, CString& out) const {
  out = zar::lib::MConvertString::ToWide(ReadField(file, length), 65001);
}

std::uint64_t CPZARRecord::BytesLeft(CFile& file) {
  const std::uint64_t pos = file.GetPosition();
  const std::uint64_t len = file.GetLength();
  return pos <= len ? len - pos : 0;
}

bool CPZARRecord::HasBytesLeft(CFile& file, std::uint64_t bytes) const {
  const std::uint64_t left = BytesLeft(file);
  if (bytes <= left) return true;
  m_bodyFit = {EBodyFit::TOO_SHORT, bytes, left};
  return false;
}

bool CPZARRecord::SkipBytes(CFile& file, std::uint64_t bytes) const {
  if (!HasBytesLeft(file, bytes)) return false;
  file.Seek(static_cast<std::int64_t>(bytes), CFile::current);
  return true;
}

int CPZARRecord::RefuseBodyCount() const {
  m_bodyFit = {EBodyFit::COUNT_REFUSED, 0, 0};
  return 0;
}

int CPZARRecord::RefuseContent(const wchar_t* why) const {
  m_bodyFit = {EBodyFit::FITS, 0, 0, why};
  return 0;
}

std::string CPZARRecord::ReadField(CFile& file, unsigned length) {
  char buffer[kTextBufferSize] = {};
  const unsigned kept = std::min(length, kTextBufferSize - 1);
  file.Read(buffer, kept);
  // The rest of an over-long field is passed over so that the next field starts right.
  if (length > kept) file.Seek(static_cast<std::int64_t>(length - kept), CFile::current);
  return std::string(buffer, ::strnlen(buffer, kept));
}
