#include "session/POHBase.h"

IMPLEMENT_DYNCREATE(CPOHBase, CPostObject)
