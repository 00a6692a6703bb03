#include "resultfile/PZARRecord.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <typeinfo>

#include "base/ConvertString.h"
#include "base/File.h"
#include "resultfile/PZARFile.h"

CPZARFile* CPZARRecord::GetFile() const {
  IPostFile* pFile = IPostRecord::GetFile();
  // Records ask for their file while they are scanned: the usual exact type needs no search.
  if (pFile && typeid(*pFile) == typeid(CPZARFile)) return static_cast<CPZARFile*>(pFile);
  return dynamic_cast<CPZARFile*>(pFile);
}

void CPZARRecord::ReadString(CFile& file, unsigned length, CString& out) const {
  const CPZARFile* pFile = GetFile();
  ReadText(file, length, static_cast<unsigned>(pFile ? pFile->GetEncodingCodePage() : 0), out);
}

void CPZARRecord::ReadStringToANSI(CFile& file, unsigned length, CString& out) const {
  ReadText(file, length, CP_UTF8, out);
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

void CPZARRecord::ReadText(CFile& file, unsigned length, unsigned codePage, CString& out) {
  char buffer[kTextBufferSize];
  const unsigned kept = std::min(length, kTextBufferSize - 1);
  const unsigned read = file.Read(buffer, kept);
  // The rest of an over-long field is passed over so that the next field starts right.
  if (length > kept) file.Seek(static_cast<std::int64_t>(length - kept), CFile::current);
  out =
      zar::lib::MConvertString::ToWide(std::string_view(buffer, ::strnlen(buffer, read)), codePage);
}
