#pragma once
// The version classes of a record. Versions 130 and 140 store a body identically; only the
// version-140 class writes, through its record's static WriteBody.
#include "resultfile/PostRecord.h"

// Reads as its record does and keeps the base's _Write, which writes nothing.
template <class TRecord>
class TPZARRecordReadOnly final : public TRecord {};

template <class TRecord>
class TPZARRecord_140 final : public TRecord {
protected:
  int _Write(IRecordD* pData) override { return TRecord::WriteBody(pData); }
};
