#include "PvkSession.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkText.h"
#include "base/ConvertString.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileManager.h"
#include "resultfile/PZARFileModel.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"

namespace {

CString Wide(const std::string& utf8) {
  return CString(zar::lib::MConvertString::ToWide(utf8, CP_UTF8));
}

// The file manager takes a result file by this extension anywhere in its name after the first
// character ("beam.tkvp", "beam.tkvp.bak").
constexpr const char* kResultExtension = ".tkvp";

// Why the manager refused a file, for the message: the first reason of its scan.
std::string WhyRefused(const std::string& path, const CPZARFileManager& manager) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return "no such file";
  if (!std::filesystem::is_regular_file(path, ec)) return "not a regular file";
  if (!manager.ValidateExtension(Wide(path)))
    return fmt::format("a result file's name must contain \"{}\"", kResultExtension);
  if (std::filesystem::file_size(path, ec) == 0) return "the file is empty";
  return pvk_text::FirstReason(manager.GetRefusalReasons(), "its import failed");
}

// At most this many names are listed in a message; the rest are counted.
constexpr std::size_t kListedNames = 8;

std::string Quoted(const std::string& name) { return '"' + name + '"'; }

// `sub-cases: "STATIC", "TRANSIENT"`, a long list cut with the count.
std::string NameList(const std::vector<std::string>& names, const std::string& plural) {
  if (names.empty()) return "there are no " + plural;
  std::string out = plural + ": ";
  const std::size_t listed = std::min(names.size(), kListedNames);
  for (std::size_t i = 0; i < listed; ++i) out += (i ? ", " : "") + Quoted(names[i]);
  if (listed < names.size()) out += fmt::format(", ... ({} in all)", names.size());
  return out;
}

// The valid names, after the nearest one when the typed one looks like a typo of it.
std::string WhyMissing(const std::string& typed, const std::vector<std::string>& names,
                       const std::string& plural) {
  const std::string list = NameList(names, plural);
  const std::string nearest = pvk_text::Nearest(typed, names);
  return nearest.empty() ? list : "did you mean " + Quoted(nearest) + "? (" + list + ")";
}

}  // namespace

CPvkSession::CPvkSession(const std::string& path) : m_path(path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (!ec) m_path = absolute.lexically_normal().string();
  m_pManager = std::make_unique<CQVEPostFileManager>(&m_session, &m_db);
  // A host always has a result item for the file it opens.
  const std::uint64_t item = m_db.AddAnalysisItem(0, Wide(std::filesystem::path(path).stem()));
  m_nMcas = m_pManager->AddFile(Wide(m_path), item);
  m_pFile = m_nMcas ? dynamic_cast<CPZARFile*>(m_pManager->GetPostFile(m_nMcas)) : nullptr;
  if (!m_pFile)
    throw CPvkError(PVK_EXIT_FILE, "cannot open " + path,
                    WhyRefused(path, m_pManager->GetPZARFileManager()));
}

CMemModelDB& CPvkSession::Model() {
  if (!m_bModelFilled) {
    pzar_model::FillModelDBFromFile(*m_pFile, m_db);
    // The parts' geometry, as a host's model holds it: the surfaces of the file's facet data.
    for (TMPUPartBody& part : MakeMPUBodies(m_pFile->GetMPUPost()->GetFacet()))
      m_db.AddBody(part.m_nPartID, std::move(part.m_pBody));
  }
  m_bModelFilled = true;
  return m_db;
}

CPvkSession::~CPvkSession() = default;

const CPOHMcas& CPvkSession::Mcas() const {
  return *static_cast<const CPOHMcas*>(m_session.GetPOHPool(pvk::POH_LEVEL_MCAS)->GetAt(m_nMcas));
}

const CPOHScas& CPvkSession::Scas(std::uint64_t itr) const {
  return *static_cast<const CPOHScas*>(m_session.GetPOHPool(pvk::POH_LEVEL_SCAS)->GetAt(itr));
}

const CPOHVcas& CPvkSession::Vcas(std::uint64_t itr) const {
  return *static_cast<const CPOHVcas*>(m_session.GetPOHPool(pvk::POH_LEVEL_VCAS)->GetAt(itr));
}

std::vector<std::uint64_t> CPvkSession::Children(std::int32_t level, std::uint64_t parent) const {
  zar::MArray<std::uint64_t> itrs;
  m_session.GetPOHPool(level)->GetListByParent(parent, itrs);
  return {itrs.begin(), itrs.end()};
}

std::vector<std::uint64_t> CPvkSession::Subcases() const {
  return Children(pvk::POH_LEVEL_SCAS, m_nMcas);
}

std::vector<std::uint64_t> CPvkSession::Steps(std::uint64_t scasItr) const {
  return Children(pvk::POH_LEVEL_VCAS, scasItr);
}

std::string CPvkSession::Name(std::int32_t level, std::uint64_t itr) const {
  return pvk_text::Utf8(m_session.GetPOHPool(level)->GetAt(itr)->GetName());
}

std::string CPvkSession::RealText(double value) const {
  if (m_pFile->GetFloatSize() == sizeof(float)) return fmt::format("{}", static_cast<float>(value));
  return pvk_text::Number(value);
}

std::string CPvkSession::RealJson(double value) const {
  return std::isfinite(value) ? RealText(value) : "null";
}

std::uint64_t CPvkSession::Select(const std::vector<std::uint64_t>& itrs, std::int32_t level,
                                  const std::string& sel, const char* kind) const {
  std::vector<std::string> names;
  for (const std::uint64_t itr : itrs) names.push_back(Name(level, itr));
  for (std::size_t i = 0; i < itrs.size(); ++i)
    if (names[i] == sel) return itrs[i];
  const std::string plural = std::string(kind) + "s";
  if (!sel.empty() && sel.find_first_not_of("0123456789") == std::string::npos) {
    const std::size_t index = std::stoul(sel.size() > 9 ? "0" : sel);
    if (index >= 1 && index <= itrs.size()) return itrs[index - 1];
    throw CPvkError(PVK_EXIT_MISSING, std::string("no ") + kind + " " + sel,
                    itrs.empty() ? NameList(names, plural)
                                 : fmt::format("the numbers go from 1 to {} ({})", itrs.size(),
                                               NameList(names, plural)));
  }
  throw CPvkError(PVK_EXIT_MISSING, std::string("no ") + kind + " " + Quoted(sel),
                  WhyMissing(sel, names, plural));
}

std::uint64_t CPvkSession::SelectSubcase(const std::string& sel) const {
  return Select(Subcases(), pvk::POH_LEVEL_SCAS, sel, "sub-case");
}

std::uint64_t CPvkSession::SelectStep(std::uint64_t scasItr, const std::string& sel) const {
  return Select(Steps(scasItr), pvk::POH_LEVEL_VCAS, sel, "step");
}

std::uint64_t CPvkSession::SelectStep(std::uint64_t scasItr, const TStepSelect& select) const {
  return select.value ? NearestStep(scasItr, *select.value, select.quiet)
                      : SelectStep(scasItr, select.step);
}

std::uint64_t CPvkSession::NearestStep(std::uint64_t scasItr, double value, bool quiet) const {
  const std::vector<std::uint64_t> steps = Steps(scasItr);
  if (steps.empty())
    throw CPvkError(PVK_EXIT_MISSING, "no step near " + pvk_text::Number(value),
                    "sub-case " + Quoted(Name(pvk::POH_LEVEL_SCAS, scasItr)) + " has no steps");
  // The first of equally near steps wins.
  std::size_t best = 0;
  for (std::size_t i = 1; i < steps.size(); ++i)
    if (std::abs(Vcas(steps[i]).GetStepValue() - value) <
        std::abs(Vcas(steps[best]).GetStepValue() - value))
      best = i;
  const double found = Vcas(steps[best]).GetStepValue();
  // Exact as far as the file can tell: 0.2 is the value of a step stored as a 4-byte 0.2.
  if (!quiet && RealText(found) != RealText(value))
    std::fprintf(stderr, "pvk: note: no step has the value %s; the nearest is step %zu %s at %s\n",
                 pvk_text::Number(value).c_str(), best + 1,
                 Quoted(Name(pvk::POH_LEVEL_VCAS, steps[best])).c_str(), RealText(found).c_str());
  return steps[best];
}

CPvkSession::TSelected CPvkSession::SelectCase(const TStepSelect& select) const {
  const std::uint64_t scas = SelectSubcase(select.subcase);
  return {scas, SelectStep(scas, select)};
}
