#pragma once
// The version classes of a record. Versions 130 and 140 store a body identically; only the
// version-140 class writes, through its record's static WriteBody.
#include <cstdint>

#include "resultfile/PostRecord.h"
#include "resultfile/RecordFactory.h"

// Reads as its record does and keeps the base's _Write, which writes nothing.
template <class TRecord>
class TPZARRecordReadOnly final : public TRecord {};

template <class TRecord>
class TPZARRecord_140 final : public TRecord {
protected:
  int _Write(IRecordD* pData) override { return TRecord::WriteBody(pData); }
};

// Registers both version classes of a record at library load:
//   const TPZARRecordRegistrar_130_140<CPZARRecordCaseInfo> s_reg(PZAR_RECORD_TYPE::CASE_INFO);
template <class TRecord>
class TPZARRecordRegistrar_130_140 {
public:
  explicit TPZARRecordRegistrar_130_140(std::int32_t type)
      : m_reg130(type, PZAR_RECORD_VER::VER_130), m_reg140(type, PZAR_RECORD_VER::VER_140) {}

private:
  CPZARRecordRegistrar<TPZARRecordReadOnly<TRecord>> m_reg130;
  CPZARRecordRegistrar<TPZARRecord_140<TRecord>> m_reg140;
};
