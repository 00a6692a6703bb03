#pragma once
// The virtual results of one step, held per location type. Filled by the import.

class CVResultPackage {
public:
  CVResultPackage() = default;
  CVResultPackage(const CVResultPackage&) = delete;
  CVResultPackage& operator=(const CVResultPackage&) = delete;
  virtual ~CVResultPackage() = default;
};
