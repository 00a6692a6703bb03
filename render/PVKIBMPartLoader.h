#pragma once
// The part loader of one display item: per drawing pass GLBegin chooses the helper for the
// item, GLLoad builds its textures for one body set of the mesh post unit (the renderer reads
// them before the next GLLoad or GLEnd), GLEnd deletes the helper with its textures.
#include <memory>

#include "qve_pvk_export.h"
#include "render/PVKIBMPartLoaderHelper.h"

class PVK_API CPVKIBMPartLoader {
public:
  CPVKIBMPartLoader() = default;
  CPVKIBMPartLoader(const CPVKIBMPartLoader&) = delete;
  CPVKIBMPartLoader& operator=(const CPVKIBMPartLoader&) = delete;
  ~CPVKIBMPartLoader();

  IPVKIBMPartLoaderHelper* GetIBMPartLoaderHelper() const { return m_pHelper.get(); }

  // nFlag 0: the deformation helper; else the helper that CreateIBMPartLoader chooses.
  void GLBegin(CIBMPDLItem* pItem, int nFlag);
  // The helper's textures for the body set, replacing those of an earlier body set: 1, or 0
  // without a helper or body set, or with the helper's reason.
  int GLLoad(CIBMPDLItem* pItem, TMPUBodySet* pSet);
  void GLEnd();

  // From the item's main data: none for facet results, the fatigue helper for a nodal
  // fatigue set, the nodal helper for the volume form of grid node values, else none. The
  // new helper (or null) replaces the current one.
  IPVKIBMPartLoaderHelper* CreateIBMPartLoader(CIBMPDLItem* pItem);
  IPVKIBMPartLoaderHelper* CreateIBMPartLoader_Deform();
  void DeleteIBMPartLoader() { GLEnd(); }

private:
  std::unique_ptr<IPVKIBMPartLoaderHelper> m_pHelper;
};
