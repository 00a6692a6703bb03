#pragma once
// The result file together with the solver's text output beside it: before the block scan,
// the reaction tables of the ".out" file become reaction records, kept apart from the blocks.
#include <cstdio>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARFile.h"
#include "resultfile/records/PZARRecordReaction.h"

namespace pzar_reaction {
struct TReactionBlock;
}

class PVK_API CPZARFileEx : public CPZARFile {
public:
  CPZARFileEx();
  ~CPZARFileEx() override;

  // Deletes the reaction records, then the result file.
  int DeleteFileW() override;
  // Reads the ".out" file of the same path when it exists (its result does not count), then
  // gives the block scan's result.
  int Scan(const CString& path) override;
  // 1 when reaction records exist.
  int IsValidEx() override { return m_aRecordEx.empty() ? 0 : 1; }

  // The reaction records (all CPZARRecordReaction_None), in creation order.
  const TRecordList& GetRecordEx() const { return m_aRecordEx; }

protected:
  // Reads the reaction tables of a text output file; 1 on success, 0 on a file error.
  int _Scan(const CString& outPath);
  // Deletes all reaction records.
  void _DeleteFile();

private:
  CPZARRecordReaction_None* MakeRecordEx();
  int DelRecordEx(CPZARRecord* pRecord);
  // The eight component records of one table, all or none; false when memory ran out.
  bool MakeBlockRecords(const pzar_reaction::TReactionBlock& block, FILE* pEcho);

  TRecordList m_aRecordEx;
};
