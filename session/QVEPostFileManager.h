#pragma once
// The post file manager that the host constructs: it registers the PZAR result file manager
// and makes sure that the post cache folder exists.
#include "session/PostFileManager.h"

class CQVEPostFileManager : public CPostFileManager {
public:
  CQVEPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker);
  ~CQVEPostFileManager() override;
};
