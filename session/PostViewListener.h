#pragma once
// Observer of post views, implemented by the host. Every live listener is registered from
// construction to destruction and notified through DoPostViewUpdate.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "session/ListenerBroadcast.h"
#include "session/PostUpdateTypes.h"

class CView;
class IPostListenerDlg;

class PVK_API IPostViewListener {
public:
  IPostViewListener(const IPostViewListener&) = delete;
  IPostViewListener& operator=(const IPostViewListener&) = delete;
  virtual ~IPostViewListener();

  // The listener's dialog; none here.
  virtual IPostListenerDlg* GetPostListenerDlg() { return nullptr; }
  // The view the listener belongs to; null for all views.
  virtual const CView* GetView() const = 0;
  virtual void OnPostViewUpdate(const CView* pView, const pvk::E_PVIEW_UPDATE& type,
                                std::uint64_t param) = 0;

  std::int32_t GetOnlyUndeform() const { return m_nOnlyUndeform; }
  void SetOnlyUndeform(std::int32_t nOnlyUndeform) { m_nOnlyUndeform = nOnlyUndeform; }

  // Visits, in registration order, every listener of `pView` or of all views: an
  // undeformed-only listener has its dialog closed when the view turns deformed, every
  // other one is notified.
  static void DoPostViewUpdate(const CView* pView, const pvk::E_PVIEW_UPDATE& type,
                               std::uint64_t param);
  static const zar::MList<IPostViewListener*>& GetInstanceList() { return m_lInstance; }

protected:
  IPostViewListener();

private:
  void Visit(const CView* pView, const pvk::E_PVIEW_UPDATE& type, std::uint64_t param);

  std::int32_t m_nOnlyUndeform = 0;
  pvk::CListenerTicket m_ticket;
  static zar::MList<IPostViewListener*> m_lInstance;  // not owned
};
