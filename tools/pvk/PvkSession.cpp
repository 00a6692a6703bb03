#include "PvkSession.h"

#include <filesystem>

#include "PvkError.h"
#include "PvkText.h"
#include "base/ConvertString.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileManager.h"
#include "resultfile/PZARFileModel.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"

namespace {

CString Wide(const std::string& utf8) {
  return CString(zar::lib::MConvertString::ToWide(utf8, 65001));
}

// Why the manager refused a file, for the message: the first reason of its scan.
std::string WhyRefused(const std::string& path, const CPZARFileManager& manager) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return "no such file";
  if (!std::filesystem::is_regular_file(path, ec)) return "not a regular file";
  return pvk_text::FirstReason(manager.GetRefusalReasons(), "its import failed");
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
  if (!m_bModelFilled) pzar_model::FillModelDBFromFile(*m_pFile, m_db);
  m_bModelFilled = true;
  return m_db;
}

CPvkSession::~CPvkSession() = default;

const CPOHMcas& CPvkSession::Mcas() const {
  return *static_cast<const CPOHMcas*>(m_session.GetPOHPool(0)->GetAt(m_nMcas));
}

const CPOHScas& CPvkSession::Scas(std::uint64_t itr) const {
  return *static_cast<const CPOHScas*>(m_session.GetPOHPool(1)->GetAt(itr));
}

const CPOHVcas& CPvkSession::Vcas(std::uint64_t itr) const {
  return *static_cast<const CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(itr));
}

std::vector<std::uint64_t> CPvkSession::Children(std::int32_t level, std::uint64_t parent) const {
  zar::MArray<std::uint64_t> itrs;
  m_session.GetPOHPool(level)->GetListByParent(parent, itrs);
  return {itrs.begin(), itrs.end()};
}

std::vector<std::uint64_t> CPvkSession::Subcases() const { return Children(1, m_nMcas); }

std::vector<std::uint64_t> CPvkSession::Steps(std::uint64_t scasItr) const {
  return Children(2, scasItr);
}

std::uint64_t CPvkSession::Select(const std::vector<std::uint64_t>& itrs, std::int32_t level,
                                  const std::string& sel, const char* kind) const {
  const CPOHPoolBase& pool = *m_session.GetPOHPool(level);
  for (const std::uint64_t itr : itrs)
    if (pvk_text::Utf8(pool.GetAt(itr)->GetName()) == sel) return itr;
  if (!sel.empty() && sel.find_first_not_of("0123456789") == std::string::npos) {
    const std::size_t index = std::stoul(sel.size() > 9 ? "0" : sel);
    if (index >= 1 && index <= itrs.size()) return itrs[index - 1];
  }
  throw CPvkError(PVK_EXIT_MISSING, std::string("no ") + kind + " " + sel,
                  "there are " + std::to_string(itrs.size()));
}

std::uint64_t CPvkSession::SelectSubcase(const std::string& sel) const {
  return Select(Subcases(), 1, sel, "sub-case");
}

std::uint64_t CPvkSession::SelectStep(std::uint64_t scasItr, const std::string& sel) const {
  return Select(Steps(scasItr), 2, sel, "step");
}
