#include "ibm/PDLManager.h"

#include <algorithm>

#include "ibm/IBMPDLItem.h"

CPDLManager::CPDLManager() = default;

CPDLManager::~CPDLManager() = default;

CIBMPDLItem* CPDLManager::AddIBMItem() {
  return m_listItem.emplace_back(std::make_unique<CIBMPDLItem>()).get();
}

CPDLManager::ItemList::iterator CPDLManager::FindItem(const CIBMPDLItem* pItem) {
  return std::find_if(m_listItem.begin(), m_listItem.end(),
                      [pItem](const std::unique_ptr<CIBMPDLItem>& p) { return p.get() == pItem; });
}

int CPDLManager::SetActivateIBMItem(CIBMPDLItem* pItem) {
  if (pItem && FindItem(pItem) == m_listItem.end()) return 0;
  m_pActive = pItem;
  return 1;
}

int CPDLManager::RemoveIBMItem(CIBMPDLItem* pItem) {
  const auto it = pItem ? FindItem(pItem) : m_listItem.end();
  if (it == m_listItem.end()) return 0;
  if (m_pActive == pItem) m_pActive = nullptr;
  (*it)->Clear();
  m_listItem.erase(it);
  return 1;
}

void CPDLManager::Clear() {
  m_pActive = nullptr;
  for (const std::unique_ptr<CIBMPDLItem>& pItem : m_listItem) pItem->Clear();
  m_listItem.clear();
}
