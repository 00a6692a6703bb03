#include "resultfile/records/PZARResultInfo.h"

#include <cstring>
#include <limits>
#include <string_view>

#include "base/ConvertString.h"
#include "base/File.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordIO.h"

std::uint32_t TPZARResultInfo::BlockSize(std::int32_t realWidth) {
  return sizeof(TPZARResultInts) + std::size_t{2} * (realWidth == 4 ? 4u : 8u) + N_NAME_WIDTH;
}

bool TPZARResultInfo::Read(const CPZARRecord& record, CFile& file, std::int32_t realWidth) {
  // The whole block is checked first, so that a cut block reports the bytes it needed.
  char name[N_NAME_WIDTH] = {};
  if (!record.HasBytesLeft(file, BlockSize(realWidth)) || !pzar_body::Read(record, file, m_ints) ||
      !pzar_body::ReadReal(record, file, realWidth, m_rMinVal) ||
      !pzar_body::ReadReal(record, file, realWidth, m_rMaxVal) ||
      !pzar_body::Read(record, file, name)) {
    return false;
  }
  m_strName =
      zar::lib::MConvertString::ToWide(std::string_view(name, ::strnlen(name, sizeof(name))), 0);
  return true;
}

void TPZARResultInfo::Write(CFile& file, const TPZARResultInts& ints, std::int32_t realWidth,
                            const void* pMin, const void* pMax, const CString& name) {
  const unsigned width = realWidth == 4 ? 4u : 8u;
  file.Write(&ints, sizeof(ints));
  file.Write(pMin, width);
  file.Write(pMax, width);
  pzar_record::WriteText(file, name, N_NAME_WIDTH);
}

bool TPZARResultInfo::CountOf(std::initializer_list<std::int64_t> factors, std::int32_t& count) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t product = 1;
  for (std::int64_t f : factors) {
    if (f < 0 || (f > 0 && product > kMax / f)) return false;
    product *= f;
  }
  count = static_cast<std::int32_t>(product);
  return true;
}
