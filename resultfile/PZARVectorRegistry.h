#pragma once
// What the block scan's numbering of vector records needs from the record classes: the node
// and element id lists index the vector records that follow them, and each vector record
// carries its sequence number in the file. The record classes implement these; the file
// reaches them through dynamic_cast so that it does not depend on the classes themselves.
#include <cstdint>

#include "qve_pvk_export.h"

class CPZARRecord;

class PVK_API IPZARVectorRegistry {
public:
  virtual ~IPZARVectorRegistry() = default;
  // 0 when the list refuses the vector (wrong data type, or a component id already taken).
  virtual int AddVector(CPZARRecord* pVector) = 0;
  virtual void ClearVectors() = 0;
};

class PVK_API IPZARSequencedVector {
public:
  virtual ~IPZARSequencedVector() = default;
  virtual void SetVectorSeqNo(std::int32_t seqNo) = 0;
  virtual std::int32_t GetVectorSeqNo() const = 0;
  // 0 nodal, 1 element, 2 element corner values.
  virtual std::int32_t GetVectorDataType() const = 0;
  virtual int IsLineElemComp() const = 0;
};
