#include "resultfile/records/PZARRecordReaction.h"

#include <cmath>

#include "resultfile/records/RecordEcho.h"

bool CPZARRecordReaction_None::GetComponentValue(const TZARReactionD& row, std::int32_t component,
                                                 double& value) {
  const double* force = row.rForce;
  const double* moment = row.rMoment;
  switch (component) {
    case FORCE_TOTAL:
      value = std::hypot(force[0], force[1], force[2]);
      return true;
    case FORCE_X:
    case FORCE_Y:
    case FORCE_Z:
      value = force[component - FORCE_X];
      return true;
    case MOMENT_TOTAL:
      value = std::hypot(moment[0], moment[1], moment[2]);
      return true;
    case MOMENT_X:
    case MOMENT_Y:
    case MOMENT_Z:
      value = moment[component - MOMENT_X];
      return true;
    default:
      return false;
  }
}

int CPZARRecordReaction_None::SetReaction(const zar::MArray<TZARReactionD>& rows) {
  m_aEntries.clear();
  const std::int32_t component = GetHeader().id;
  double probe = 0.0;
  if (!GetComponentValue(TZARReactionD{}, component, probe)) return 0;
  m_aEntries.reserve(rows.size());
  for (const TZARReactionD& row : rows) {
    TEntry& entry = m_aEntries.emplace_back();
    entry.nID = row.nID;
    entry.nGeomType = row.nGeomType;
    GetComponentValue(row, component, entry.rValue);
    for (int i = 0; i < 3; ++i) entry.rCoord[i] = row.rCoord[i];
  }
  return 1;
}

int CPZARRecordReaction_None::LoadFace(zar::MArray<std::int32_t>& ids,
                                       zar::MArray<zar::MVector<double, 3>>& points) {
  ids.clear();
  points.clear();
  ids.reserve(m_aEntries.size());
  points.reserve(m_aEntries.size());
  for (const TEntry& entry : m_aEntries) {
    ids.push_back(entry.nID);
    points.push_back({{entry.rCoord[0], entry.rCoord[1], entry.rCoord[2]}});
  }
  return 1;
}

int CPZARRecordReaction_None::LoadData(zar::MArray<double>& out,
                                       const zar::MArray<std::uint64_t>& /*dbItrs*/,
                                       IPreDBLinker* linker) {
  return LoadData(out, linker, nullptr);
}

int CPZARRecordReaction_None::LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs,
                                       IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) {
  dbItrs.clear();
  return LoadData(out, linker, ids);
}

int CPZARRecordReaction_None::LoadData(zar::MArray<double>& out, IPreDBLinker* /*linker*/,
                                       zar::MArray<std::int32_t>* ids) {
  out.clear();
  out.reserve(m_aEntries.size());
  for (const TEntry& entry : m_aEntries) out.push_back(entry.rValue);
  if (ids) {
    ids->clear();
    ids->reserve(m_aEntries.size());
    for (const TEntry& entry : m_aEntries) ids->push_back(entry.nID);
  }
  return 1;
}

std::int32_t CPZARRecordReaction_None::GetDataCount() const {
  return static_cast<std::int32_t>(m_aEntries.size());
}

int CPZARRecordReaction_None::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  return Echo(pFile, L"%s", pzar_echo::kSep) &&
         Echo(pFile, L"REACTION COMPONENT : %d\n", GetHeader().id) &&
         Echo(pFile, L"SUBCASE : %s\n", m_strSubCase) && Echo(pFile, L"STEP : %s\n", m_strVCase) &&
         Echo(pFile, L"DATA COUNT : %d\n", GetDataCount()) && Echo(pFile, L"%s", pzar_echo::kSep);
}
