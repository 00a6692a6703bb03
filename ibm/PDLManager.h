#pragma once
// The display-list items of a view and which of them is active.
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "qve_pvk_export.h"

class CIBMPDLItem;

class PVK_API CPDLManager {
public:
  using ItemList = zar::MList<std::unique_ptr<CIBMPDLItem>>;

  CPDLManager();
  ~CPDLManager();
  CPDLManager(const CPDLManager&) = delete;
  CPDLManager& operator=(const CPDLManager&) = delete;

  // A new empty item at the end of the list; it does not become active.
  CIBMPDLItem* AddIBMItem();
  // 1 when the item (or null, for none) is active now; 0, changing nothing, for an item that
  // is not in the list, which the manager could not keep from dangling.
  int SetActivateIBMItem(CIBMPDLItem* pItem);
  CIBMPDLItem* GetActiveIBMItem() const { return m_pActive; }
  bool HasActiveIBMItem() const { return m_pActive != nullptr; }
  // Clears, deletes and unlinks the item; 0 when it is not in the list.
  int RemoveIBMItem(CIBMPDLItem* pItem);
  // No item active, every item cleared and deleted.
  void Clear();
  void ClearIBMItem() { Clear(); }
  const ItemList& GetIBMItemList() const { return m_listItem; }

private:
  ItemList::iterator FindItem(const CIBMPDLItem* pItem);

  CIBMPDLItem* m_pActive = nullptr;  // not owned: one of the list
  ItemList m_listItem;
};
