#pragma once
// The host's services around its body model, for the grid display. Constructing an
// implementation makes it the process-wide instance; destroying the instance clears it.
#include <cstdint>

#include "qve_pvk_export.h"

class PVK_API IPBodyAPI {
public:
  IPBodyAPI();
  IPBodyAPI(const IPBodyAPI&) = delete;
  IPBodyAPI& operator=(const IPBodyAPI&) = delete;
  virtual ~IPBodyAPI();

  // The host's body model (what the mesh post unit compiles against), or null.
  virtual void* GetBodyModel() = 0;
  // The body key of a grid part id; 0 for none.
  virtual std::uint64_t GetBodyKey(std::int32_t partID) = 0;

  // The most recently constructed live implementation; null before any.
  static IPBodyAPI* GetInstance() { return m_pInstance; }

private:
  static IPBodyAPI* m_pInstance;
};
