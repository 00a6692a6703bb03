#include "session/PostViewListener.h"

#include "session/PostListenerDlg.h"

zar::MList<IPostViewListener*> IPostViewListener::m_lInstance;

IPostViewListener::IPostViewListener() { m_lInstance.push_back(this); }

IPostViewListener::~IPostViewListener() { m_lInstance.remove(this); }

void IPostViewListener::DoPostViewUpdate(const CView* pView, const pvk::E_PVIEW_UPDATE& type,
                                         std::uint64_t param) {
  pvk::ForEachRegistered(
      m_lInstance,
      [](const IPostViewListener* p) -> const pvk::CListenerTicket& { return p->m_ticket; },
      [&](IPostViewListener* pListener) {
        const CView* pOwn = pListener->GetView();
        if (!pOwn || pOwn == pView) pListener->Visit(pView, type, param);
      });
}

void IPostViewListener::Visit(const CView* pView, const pvk::E_PVIEW_UPDATE& type,
                              std::uint64_t param) {
  if (!m_nOnlyUndeform || type != pvk::PVIEW_UPDATE_DEFORM) {
    OnPostViewUpdate(pView, type, param);
    return;
  }
  IPostListenerDlg* pDlg = GetPostListenerDlg();
  if (pDlg && pDlg->IsWindow()) pDlg->PostClose();
}
