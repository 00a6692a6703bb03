#pragma once
// The post file manager that the host constructs: it registers the PZAR result file manager
// and makes sure that the post cache folder exists.
#include "qve_pvk_export.h"
#include "session/PostFileManager.h"

class CPZARFileManager;

class PVK_API CQVEPostFileManager : public CPostFileManager {
public:
  CQVEPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker);
  ~CQVEPostFileManager() override;

  // Its PZAR result file manager, which tells why it refused a file.
  const CPZARFileManager& GetPZARFileManager() const { return *m_pPZARManager; }

private:
  CPZARFileManager* m_pPZARManager;  // not owned: registered with the base
};
