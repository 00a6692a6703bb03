#pragma once
// The host's view options. The host's one implementation registers itself as the instance;
// the option queries are the host's, only their place in the table is fixed here.
#include "qve_pvk_export.h"

class PVK_API IPostViewOptAPI {
public:
  IPostViewOptAPI(const IPostViewOptAPI&) = delete;
  IPostViewOptAPI& operator=(const IPostViewOptAPI&) = delete;
  virtual ~IPostViewOptAPI();

  virtual void HostViewOption01() = 0;
  virtual void HostViewOption02() = 0;
  virtual void HostViewOption03() = 0;
  virtual void HostViewOption04() = 0;
  virtual void HostViewOption05() = 0;
  virtual void HostViewOption06() = 0;
  virtual void HostViewOption07() = 0;
  virtual void HostViewOption08() = 0;
  virtual void HostViewOption09() = 0;
  virtual void HostViewOption10() = 0;
  virtual void HostViewOption11() = 0;
  virtual void HostViewOption12() = 0;
  virtual void HostViewOption13() = 0;
  virtual void HostViewOption14() = 0;
  virtual void HostViewOption15() = 0;
  virtual void HostViewOption16() = 0;
  virtual void HostViewOption17() = 0;
  virtual void HostViewOption18() = 0;
  virtual void HostViewOption19() = 0;
  virtual void HostViewOption20() = 0;
  virtual void HostViewOption21() = 0;
  virtual void HostViewOption22() = 0;
  virtual void HostViewOption23() = 0;
  virtual void HostViewOption24() = 0;
  virtual void HostViewOption25() = 0;
  virtual void HostViewOption26() = 0;
  virtual void HostViewOption27() = 0;
  virtual void HostViewOption28() = 0;
  virtual void HostViewOption29() = 0;

  static IPostViewOptAPI* GetInstance() { return m_pInstance; }

protected:
  IPostViewOptAPI() { m_pInstance = this; }

private:
  static IPostViewOptAPI* m_pInstance;  // not owned
};
