// Result id services: phase-angle and board id normalisation, location and analysis-type
// filters.
#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "base/TestEnv.h"
#include "core/PCBCode.h"
#include "core/ResultId.h"
#include "session/PostAPI.h"
#include "vresult/VResult.h"

namespace {

using TIds = std::vector<std::int32_t>;

// Result ids that exist only on facets.
constexpr std::array<std::int32_t, 6> kFacetOnly = {1301, 1305, 1309, 1310, 1321, 1322};

bool IsTestEnvYes(const wchar_t* name) { return zar::lib::GetTestEnvValue(name) == L"yes"; }

TIds Range(std::int32_t first, std::int32_t last) {
  TIds ids;
  for (std::int32_t id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

TIds Cat(std::initializer_list<TIds> parts) {
  TIds ids;
  for (const TIds& part : parts) ids.insert(ids.end(), part.begin(), part.end());
  return ids;
}

struct TTypeRow {
  TIds types;
  TIds ids;
};

const std::vector<TTypeRow>& TypeRows() {
  static const std::vector<TTypeRow> rows = [] {
    const TIds a = {101, 7107, 7207, 60166, 60266};
    const TIds b = {102, 103, 104, 7208, 7209, 7210};
    const TIds d = {3101,  7304,  7301,  7302,  7303,  7308,  7305,  7306, 7307,
                    60433, 60400, 60411, 60422, 60477, 60444, 60455, 60466};
    const TIds p = {60267, 60268, 60279};
    const TIds t(kFacetOnly.begin(), kFacetOnly.end());
    return std::vector<TTypeRow>{
        {{101, 106}, Cat({a, b, p, t})},
        {{102, 103, 107}, Cat({a, t})},
        {{104, 105}, Cat({d, t})},
        {{108, 122}, Cat({a, b, p, d, t})},
        {{109}, Cat({a, b, p, {7401}, t})},
        {{110, 111, 116, 117, 118}, Cat({a, Range(9001, 9006), Range(9101, 9106), d, t})},
        {Cat({Range(112, 115), {120, 121}}), Cat({Range(101, 104),
                                                  Range(601, 604),
                                                  Range(201, 204),
                                                  Range(701, 704),
                                                  Range(301, 304),
                                                  Range(801, 804),
                                                  {7107, 7207, 60166, 60266},
                                                  t})},
        {{119},
         Cat({Range(101, 104),
              Range(201, 204),
              Range(301, 304),
              Range(7107, 7110),
              Range(7207, 7210),
              {60166, 60167, 60168, 60179, 60266},
              p,
              t})},
        {{123}, Cat({a, b, {7702, 7701}, p, {60311, 60300}, t})},
        {{}, Cat({{101, 7107, 60266}, t})},  // every other type
    };
  }();
  return rows;
}

const TIds& IdsOfType(std::int32_t type) {
  const std::vector<TTypeRow>& rows = TypeRows();
  for (const TTypeRow& row : rows)
    if (std::find(row.types.begin(), row.types.end(), type) != row.types.end()) return row.ids;
  return rows.back().ids;
}

// Strain and stress components with their board counterparts, each block of six followed
// by its six board ids.
TIds CompIds(std::int32_t first, std::int32_t board) {
  return Cat({Range(first, first + 5),
              {board, board + 11, board + 22, board + 33, board + 44, board + 55}});
}

std::int32_t TypeOf(const CVResult* pResult) { return pResult ? pResult->GetType() : 0; }

// Shader classes: the class of an id is the index of the group that holds it.
template <std::size_t N, std::size_t M>
using TGroups = std::array<std::array<std::int32_t, M>, N>;

constexpr TGroups<4, 4> kSubTypeGroups = {{{7107, 7207, 60166, 60266},
                                           {7110, 7210, 60179, 60279},
                                           {7109, 7209, 60168, 60268},
                                           {7108, 7208, 60167, 60267}}};
constexpr TGroups<2, 3> kFatigueTypeGroups = {{{9001, 9003, 9005}, {9002, 9004, 9006}}};
constexpr TGroups<2, 2> kFatMSCGroups = {{{9001, 9002}, {9003, 9004}}};

template <std::size_t N, std::size_t M>
int GroupOf(const TGroups<N, M>& groups, std::int32_t id, int otherwise) {
  for (std::size_t g = 0; g < N; ++g)
    if (std::find(groups[g].begin(), groups[g].end(), id) != groups[g].end())
      return static_cast<int>(g);
  return otherwise;
}

}  // namespace

std::int32_t IPostAPI::ChangeResultType(std::int32_t id) {
  if (id > pvk::kPhaseAngleOffset) return id - pvk::kPhaseAngleOffset;
  if (CVResult::IsPCBResID(id)) return PZAR_PCB::GetComponentResID(id);
  return id;
}

int IPostAPI::FilterLocType(std::int32_t resultId, unsigned int locType) {
  const bool onFacet = locType == pvk::LOC_FACET;
  if (std::find(kFacetOnly.begin(), kFacetOnly.end(), resultId) != kFacetOnly.end())
    return onFacet ? 1 : 0;
  return !onFacet || IsTestEnvYes(L"FACET_COMP") ? 1 : 0;
}

std::int32_t IPostAPI::FilterType(std::int32_t type, zar::MArray<std::int32_t>& ids) {
  ids = IdsOfType(type);
  if (IsTestEnvYes(L"STRAIN_COMP")) {
    const TIds strain = CompIds(7101, 60100);
    ids.insert(ids.end(), strain.begin(), strain.end());
  }
  if (IsTestEnvYes(L"STRESS_COMP")) {
    const TIds stress = CompIds(7201, 60200);
    ids.insert(ids.end(), stress.begin(), stress.end());
  }
  return static_cast<std::int32_t>(ids.size());
}

int IPostAPI::GetShaderResType(const CVResult* pResult) {
  const std::int32_t id = ChangeResultType(TypeOf(pResult));
  if ((id >= 7107 && id <= 7110) || (id >= 60166 && id <= 60168) || id == 60179) return 1;
  if ((id >= 7207 && id <= 7210) || (id >= 9001 && id <= 9006) || (id >= 60266 && id <= 60268) ||
      id == 60279)
    return 0;
  return 2;
}

int IPostAPI::GetShaderSubType(const CVResult* pResult) {
  return GroupOf(kSubTypeGroups, ChangeResultType(TypeOf(pResult)), 4);
}

int IPostAPI::GetShaderFatigueType(const CVResult* pResult) {
  return GroupOf(kFatigueTypeGroups, TypeOf(pResult), 2);
}

int IPostAPI::GetShaderFatMSC(const CVResult* pResult) {
  return GroupOf(kFatMSCGroups, TypeOf(pResult), 2);
}
