#pragma once
// The result information block that begins the bodies of the data vector, the concurrent nodal
// output vector and the entity case information: 14 integers, two reals of the file's width
// and an 80-byte name.
#include <cstdint>
#include <initializer_list>

#include "base/CString.h"

class CFile;
class CPZARRecord;

// The integers of the block, in file order. Their meaning per record is the data vector's.
struct TPZARResultInts {
  std::int32_t m_nDataType = 0;  // 0 nodal, 1 element, 2 element corner
  std::int32_t m_nOutputType = 0;
  std::int32_t m_nComponent[8] = {};  // related component ids, 0 for none
  std::int32_t m_nDirection = 0;
  std::int32_t m_nCalcWaring = 0;
  std::int32_t m_nMinID = 0;
  std::int32_t m_nMaxID = 0;
};
static_assert(sizeof(TPZARResultInts) == 56);

struct TPZARResultInfo {
  static constexpr unsigned N_NAME_WIDTH = 80;

  // 144 bytes for real width 4, 152 for width 8.
  static std::uint32_t BlockSize(std::int32_t realWidth);
  // Reads the block of the record's body; false when the file ends inside it. The name is read
  // in the system code page whatever the file's.
  bool Read(const CPZARRecord& record, CFile& file, std::int32_t realWidth);
  // Writes the block: the integers, the two reals from their pointers in that width, the name.
  static void Write(CFile& file, const TPZARResultInts& ints, std::int32_t realWidth,
                    const void* pMin, const void* pMax, const CString& name);

  // The product of the factors when none is negative and it stays within 32 bits; the value
  // counts of the bodies after the block are such products.
  static bool CountOf(std::initializer_list<std::int64_t> factors, std::int32_t& count);

  TPZARResultInts m_ints;
  double m_rMinVal = 0.0;
  double m_rMaxVal = 0.0;
  CString m_strName;
};
