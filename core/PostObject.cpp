#include "core/PostObject.h"

IMPLEMENT_DYNCREATE(CPostObject, CObject)

CString CPostObject::GetName() const { return L"No Name"; }
