#include "resultfile/records/RecordInForce.h"

#include <algorithm>

#include "resultfile/PZARFile.h"

namespace pzar_record {

CPZARRecord* FindRecordBefore(const CPZARRecord& record, std::int32_t type) {
  const CPZARFile* pFile = record.GetFile();
  if (!pFile) return nullptr;
  const auto& list = pFile->GetRecordList();
  const auto self =
      std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == &record; });
  for (auto it = std::make_reverse_iterator(self); it != list.rend(); ++it) {
    if ((*it)->GetType() == type) return it->get();
  }
  return nullptr;
}

}  // namespace pzar_record
