#pragma once
// The data sets of one step, by result category and location type. Filled by the import.

class CPostDSetContainer {
public:
  CPostDSetContainer() = default;
  CPostDSetContainer(const CPostDSetContainer&) = delete;
  CPostDSetContainer& operator=(const CPostDSetContainer&) = delete;
  virtual ~CPostDSetContainer() = default;
};
