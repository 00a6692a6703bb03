#pragma once
// A reaction record: one reaction component (header id 481 to 488) of one step, built from a
// reaction table of the solver's text output. It never comes from a result file block.
#include <cstdint>

#include "base/CString.h"
#include "base/Containers.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"

// One row of a reaction table.
struct TZARReactionD {
  // Geometry type codes; the text output names them "SURF", "CURVE" and "POINT".
  enum : std::int32_t { GEOM_OTHER = 0, GEOM_SURF = 1, GEOM_CURVE = 2, GEOM_POINT = 3 };

  std::int32_t nID = 0;
  std::int32_t nGeomType = GEOM_OTHER;
  double rCoord[3] = {0, 0, 0};
  double rForce[3] = {0, 0, 0};
  double rMoment[3] = {0, 0, 0};
};

class PVK_API CPZARRecordReaction_None : public CPZARRecord,
                                         public IPostDataUnitResultLoader<double> {
public:
  // The reaction components, as header ids.
  enum : std::int32_t {
    FORCE_TOTAL = 481,  // resultant force magnitude
    FORCE_X = 482,
    FORCE_Y = 483,
    FORCE_Z = 484,
    MOMENT_TOTAL = 485,  // resultant moment magnitude
    MOMENT_X = 486,
    MOMENT_Y = 487,
    MOMENT_Z = 488,
  };

  // One stored row, 40 bytes: the entity id, its geometry type, the value of this record's
  // component and the row's coordinates.
  struct TEntry {
    std::int32_t nID = 0;
    std::int32_t nGeomType = 0;
    double rValue = 0.0;
    double rCoord[3] = {0, 0, 0};
  };
  static_assert(sizeof(TEntry) == 40);

  // The value that a component takes from a row; false for an id outside 481 to 488.
  static bool GetComponentValue(const TZARReactionD& row, std::int32_t component, double& value);

  void SetSubCase(const CString& name) { m_strSubCase = name; }
  const CString& GetSubCase() const { return m_strSubCase; }
  void SetVCase(const CString& name) { m_strVCase = name; }
  const CString& GetVCase() const { return m_strVCase; }

  // Stores the rows with the value of the header's component, so the header is set first.
  // 0 (and no rows) when the header id is not a reaction component.
  int SetReaction(const zar::MArray<TZARReactionD>& rows);
  const zar::MArray<TEntry>& GetEntries() const { return m_aEntries; }

  // The entity ids and coordinates of the rows, in row order.
  int LoadFace(zar::MArray<std::int32_t>& ids,
               zar::MArray<zar::MVector<double, 3>>& points) override;
  // The rows belong to geometry, not to model entities: every form gives all values in row
  // order, the iterators are not used, and the ids (when asked for) are the rows' entity ids.
  int LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  int LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<double>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  std::int32_t GetDataCount() const override;

protected:
  // No result file block holds a reaction record.
  int _Scan(CFile&) override { return 0; }
  int _WriteEcho(FILE* pFile) override;

private:
  CString m_strSubCase;
  CString m_strVCase;
  zar::MArray<TEntry> m_aEntries;
};
