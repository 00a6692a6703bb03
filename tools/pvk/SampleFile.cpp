#include "SampleFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "PvkText.h"
#include "SampleModel.h"
#include "SampleRecords.h"
#include "base/CString.h"
#include "resultfile/PZARFileWriter140.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVector.h"

namespace {

using Values = std::vector<double>;
using Point = std::array<double, 3>;

// What the file holds per entity and step, for the size estimate: the node vectors (translation,
// rotation, six stresses), the element vectors (six stresses, three principal values, nine
// direction cosines, maximum shear, von Mises) and the ids of both lists.
constexpr std::uint64_t kNodeVectors = 14;
constexpr std::uint64_t kElemVectors = 20;
constexpr std::uint64_t kIdBytes = 4;
constexpr std::uint64_t kElemEntryBytes = 88;     // id, type and node slots of one element
constexpr std::uint64_t kStepRecordBytes = 5600;  // record headers, names and ranges of a step
constexpr std::uint64_t kFileRecordBytes = 320;   // file header, solver and case records

// The output set title ending the reader completes with the set value ("(1.000e-01)").
constexpr const wchar_t* kValueMarker = L"\x1b|0|0|1|\x1b";

class CSampleWriter : public CSampleRecordWriter {
public:
  explicit CSampleWriter(const TSampleOptions& options)
      : CSampleRecordWriter(options.realWidth), m_options(options), m_beam(options.cells) {}

  bool Write(const std::string& path) {
    bool ok = Open(path, m_options.format) && Solver(L"PVK SAMPLE") && Model();
    ok = ok && Case(L"STATIC", 1) && Step(1.0, L"Step 1");
    ok = ok && Case(L"TRANSIENT", 2);
    for (std::int32_t s = 1; ok && s <= m_options.steps; ++s)
      ok = Step(static_cast<double>(s) / m_options.steps, CString(L"Time (") + kValueMarker);
    return Finish() && ok;
  }
  const CSampleCantilever& Beam() const { return m_beam; }

private:
  bool Model() {
    pzar_writer::TNodeBlock nodes;
    nodes.nKey = 1;
    for (std::int32_t i = 0; i < m_beam.NodeCount(); ++i) {
      nodes.aIDs.push_back(i + 1);
      const Point p = m_beam.NodePos(i);
      nodes.aXYZ.push_back({{p[0], p[1], p[2]}});
    }
    pzar_writer::TElemBlock elems;
    elems.nKey = 1;
    for (std::int32_t e = 0; e < m_beam.ElemCount(); ++e) {
      pzar_writer::TElemEntry entry;
      entry.nID = e + 1;
      entry.nType = 14;  // hexahedron
      const auto corners = m_beam.ElemNodes(e);
      for (std::size_t n = 0; n < corners.size(); ++n) entry.aNodes[n] = corners[n] + 1;
      elems.aElems.push_back(entry);
    }
    return pzar_writer::WriteNodeRecord(m_writer, {nodes}) &&
           pzar_writer::WriteElementRecord(m_writer, {elems});
  }

  bool Step(double factor, const CString& title) {
    return OutputSet(factor, title) && NodeResults(factor) && ElemResults(factor);
  }

  // The ids 1 to `count`.
  bool IDs(std::int32_t type, std::int32_t count) {
    std::vector<std::int32_t> ids(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) ids[i] = i + 1;
    return CSampleRecordWriter::IDs(type, ids);
  }

  // One value per entity from `f`.
  Values Over(std::int32_t count, const std::function<double(std::int32_t)>& f) const {
    Values values(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) values[i] = f(i);
    return values;
  }

  bool NodeResults(double factor) {
    const std::int32_t n = m_beam.NodeCount();
    auto t = [&](std::int32_t i) { return m_beam.Translation(m_beam.NodePos(i), factor); };
    auto r = [&](std::int32_t i) { return m_beam.Rotation(m_beam.NodePos(i), factor); };
    auto s = [&](std::int32_t i) { return m_beam.Stress(m_beam.NodePos(i), factor); };
    auto length = [](const Point& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); };
    bool ok = IDs(PZAR_RECORD_TYPE::NODE_ID_LIST, n) &&
              Vector(101, 0, Over(n, [&](auto i) { return length(t(i)); }), L"TRANSLATION");
    for (std::size_t a = 0; ok && a < 3; ++a)
      ok = Vector(102 + static_cast<std::int32_t>(a), 0, Over(n, [&](auto i) { return t(i)[a]; }),
                  L"TRANSLATION");
    ok = ok && Vector(105, 0, Over(n, [&](auto i) { return length(r(i)); }), L"ROTATION");
    for (std::size_t a = 0; ok && a < 3; ++a)
      ok = Vector(106 + static_cast<std::int32_t>(a), 0, Over(n, [&](auto i) { return r(i)[a]; }),
                  L"ROTATION");
    const Values zero(static_cast<std::size_t>(n), 0.0);
    return ok && Vector(7201, 0, Over(n, [&](auto i) { return s(i).xx; }), L"NODAL STRESS") &&
           Vector(7202, 0, zero, L"NODAL STRESS") && Vector(7203, 0, zero, L"NODAL STRESS") &&
           Vector(7204, 0, zero, L"NODAL STRESS") && Vector(7205, 0, zero, L"NODAL STRESS") &&
           Vector(7206, 0, Over(n, [&](auto i) { return s(i).zx; }), L"NODAL STRESS");
  }

  bool ElemResults(double factor) {
    const std::int32_t n = m_beam.ElemCount();
    auto s = [&](std::int32_t e) { return m_beam.Stress(m_beam.ElemCentre(e), factor); };
    auto p = [&](std::int32_t e) { return PrincipalOf(s(e)); };
    const Values zero(static_cast<std::size_t>(n), 0.0);
    bool ok = IDs(PZAR_RECORD_TYPE::ELEM_ID_LIST, n) &&
              Vector(312101, 1, Over(n, [&](auto e) { return s(e).xx; }), L"SOLID STRESS");
    for (std::int32_t c = 312102; ok && c <= 312105; ++c) ok = Vector(c, 1, zero, L"SOLID STRESS");
    ok = ok && Vector(312106, 1, Over(n, [&](auto e) { return s(e).zx; }), L"SOLID STRESS");
    // Principal A, C, B are stored under 312107, 312108, 312109.
    const std::int32_t valueIds[3] = {312107, 312109, 312108};
    for (std::size_t k = 0; ok && k < 3; ++k)
      ok = Vector(valueIds[k], 1, Over(n, [&](auto e) { return p(e).value[k]; }), L"PRINCIPAL");
    for (std::int32_t axis = 0; ok && axis < 3; ++axis)
      for (std::int32_t k = 0; ok && k < 3; ++k)
        ok = Vector(312127 + axis * 3 + k, 1, Over(n, [&](auto e) { return p(e).dir[k][axis]; }),
                    L"PRINCIPAL COSINE");
    return ok &&
           Vector(312112, 1, Over(n, [&](auto e) { return (p(e).value[0] - p(e).value[2]) / 2; }),
                  L"MAX SHEAR") &&
           Vector(312114, 1,
                  Over(n, [&](auto e) { return std::hypot(s(e).xx, std::sqrt(3.0) * s(e).zx); }),
                  L"VON MISES");
  }

  TSampleOptions m_options;
  CSampleCantilever m_beam;
};

// The reactions at the clamped end balance the tip load: an upward force and the moment of
// the load about the support.
// Shortest text that reads back to the same double: the reader gets what was computed.
bool WriteReactions(const std::string& outPath, const CSampleCantilever& beam,
                    const TSampleOptions& options) {
  std::ofstream out(outPath, std::ios::binary);
  out << " PVK SAMPLE SOLVER OUTPUT\n\n"
      << "   R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y\n\n";
  using pvk_text::Number;
  auto table = [&](const std::string& subCase, const std::string& step, double factor) {
    const double force = CSampleCantilever::kTipLoad * factor;
    out << "SUBCASE : " << subCase << " : " << step << "\n"
        << "       ID      TYPE                   COORDINATE                                    "
           "     REACTION FORCE                                     REACTION MOMENT\n"
        << " ------ ------\n"
        << "        1      SURF   0 " << Number(beam.Height() / 2) << " "
        << Number(beam.Height() / 2) << "   0 0 " << Number(force) << "   0 "
        << Number(-force * beam.Length()) << " 0\n\n";
  };
  table("STATIC", "Step 1", 1.0);
  for (std::int32_t s = 1; s <= options.steps; ++s) {
    char title[64];
    const double value = static_cast<double>(s) / options.steps;
    std::snprintf(title, sizeof(title), "Time (%.3e)", value);
    table("TRANSIENT", title, value);
  }
  return static_cast<bool>(out.flush());
}

}  // namespace

std::uint64_t SampleFileBytes(const TSampleOptions& options) {
  const CSampleCantilever beam(options.cells);
  const std::uint64_t nodes = static_cast<std::uint64_t>(beam.NodeCount());
  const std::uint64_t elems = static_cast<std::uint64_t>(beam.ElemCount());
  const std::uint64_t real = static_cast<std::uint64_t>(options.realWidth);
  const std::uint64_t model = nodes * (kIdBytes + 3 * real) + elems * kElemEntryBytes;
  const std::uint64_t step = kNodeVectors * nodes * real + kElemVectors * elems * real +
                             kIdBytes * (nodes + elems) + kStepRecordBytes;
  const std::uint64_t steps = 1 + static_cast<std::uint64_t>(options.steps);  // with the static
  return kFileRecordBytes + model + steps * step;
}

std::string WriteSampleFiles(const std::string& path, const std::string& outPath,
                             const TSampleOptions& options) {
  return WriteWhole({path, outPath}, [&](const std::vector<std::string>& parts) -> std::string {
    CSampleWriter writer(options);
    if (!writer.Write(parts[0])) return "cannot write the result file";
    if (!WriteReactions(parts[1], writer.Beam(), options)) return "cannot write the text output";
    return {};
  });
}
