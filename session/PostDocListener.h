#pragma once
// Observer of post documents, implemented by the host. Every live listener is registered
// from construction to destruction and notified through DoPostDocUpdate.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "session/ListenerBroadcast.h"
#include "session/PostUpdateTypes.h"

class CDocument;

class PVK_API IPostDocListener {
public:
  IPostDocListener(const IPostDocListener&) = delete;
  IPostDocListener& operator=(const IPostDocListener&) = delete;

  // The document the listener belongs to; null for all documents.
  virtual const CDocument* GetDocument() const = 0;
  virtual void OnPostDocUpdate(const CDocument* pDoc, pvk::E_PDOC_UPDATE type, std::uint64_t a,
                               std::uint64_t b) = 0;
  virtual ~IPostDocListener();

  // Notifies, in registration order, every listener of `pDoc` or of all documents.
  static void DoPostDocUpdate(const CDocument* pDoc, pvk::E_PDOC_UPDATE type, std::uint64_t a,
                              std::uint64_t b);
  static const zar::MList<IPostDocListener*>& GetInstanceList() { return m_lInstance; }

protected:
  IPostDocListener();

private:
  pvk::CListenerTicket m_ticket;
  static zar::MList<IPostDocListener*> m_lInstance;  // not owned
};
