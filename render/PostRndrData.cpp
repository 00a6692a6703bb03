#include "render/PostRndrData.h"

namespace pvk {

void CPostRndrData::Update(const TRndrDUpdateParam& p) {
  switch (p.nUpdateKind) {
    case RNDRD_UPDATE_INITIALIZE:
      _UpdateInitialize(p.pArg, p.pMPUInfo);
      break;
    case RNDRD_UPDATE_CHANGE_RESULT:
      _UpdateChangeResult(p.pArg, p.pMPUInfo);
      break;
    case RNDRD_UPDATE_CHANGE_OPTION:
      _UpdateChangeOption(p.pArg, p.pMPUInfo);
      break;
    case RNDRD_UPDATE_SHOW_HIDE:
      _UpdateShowHide(p.pArg, p.pMPUInfo);
      break;
    case RNDRD_UPDATE_ANIMATION:
      _UpdateAnimation(p.pArg, p.pMPUInfo);
      break;
    default:
      break;
  }
}

void CPostRndrData::GLClearList(TVBOModelList* list) {
  for (auto& model : *list) {
    model->GLDeleteAll();
    model.reset();
  }
  list->clear();
}

}  // namespace pvk
