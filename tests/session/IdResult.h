#pragma once
// A node result of a given id, as three-dimensional principal vector.
#include <cstdint>

#include "vresult/VResult.h"

class CIdResult : public CVResult {
public:
  explicit CIdResult(std::int32_t id) : m_nID(id) {
    SetLocType(pvk::LOC_NODE);
    SetAMTType(pvk::AMT_PRINCIPAL_3D);
  }
  std::int32_t GetType() const override { return m_nID; }

private:
  std::int32_t m_nID;
};
