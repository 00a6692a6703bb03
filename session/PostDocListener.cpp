#include "session/PostDocListener.h"

zar::MList<IPostDocListener*> IPostDocListener::m_lInstance;

IPostDocListener::IPostDocListener() { m_lInstance.push_back(this); }

IPostDocListener::~IPostDocListener() { m_lInstance.remove(this); }

void IPostDocListener::DoPostDocUpdate(const CDocument* pDoc, pvk::E_PDOC_UPDATE type,
                                       std::uint64_t a, std::uint64_t b) {
  pvk::ForEachRegistered(
      m_lInstance,
      [](const IPostDocListener* p) -> const pvk::CListenerTicket& { return p->m_ticket; },
      [&](IPostDocListener* pListener) {
        const CDocument* pOwn = pListener->GetDocument();
        if (!pOwn || pOwn == pDoc) pListener->OnPostDocUpdate(pDoc, type, a, b);
      });
}
