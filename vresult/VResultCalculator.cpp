#include "vresult/VResultCalculator.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/DBSession.h"
#include "datastore/PostPartialDList.h"
#include "vresult/VResult.h"

namespace {

// The loaded blocks of every operand: [operand][block].
using Blocks = std::vector<std::vector<const CPostPartialD*>>;

std::int32_t Count(std::size_t n) { return static_cast<std::int32_t>(n); }

// Empty when every operand has operand 0's number of blocks, of columns per block and of rows
// per column; otherwise what differs.
CString ShapeMismatch(const Blocks& blocks) {
  CString reason;
  const std::vector<const CPostPartialD*>& first = blocks[0];
  for (std::size_t k = 1; k < blocks.size(); ++k) {
    if (blocks[k].size() != first.size()) {
      reason.Format(L"operand %d has %d partial data objects, operand 0 has %d", Count(k),
                    Count(blocks[k].size()), Count(first.size()));
      return reason;
    }
    for (std::size_t p = 0; p < first.size(); ++p) {
      const std::int32_t nComp = first[p]->GetCompCnt();
      if (blocks[k][p]->GetCompCnt() != nComp) {
        reason.Format(L"partial data object %d: operand %d has %d columns, operand 0 has %d",
                      Count(p), Count(k), blocks[k][p]->GetCompCnt(), nComp);
        return reason;
      }
      for (std::int32_t c = 0; c < nComp; ++c) {
        const std::size_t nRows = first[p]->GetComp(c)->size();
        if (blocks[k][p]->GetComp(c)->size() != nRows) {
          reason.Format(
              L"partial data object %d column %d: operand %d has %d rows, operand 0 has %d",
              Count(p), c, Count(k), Count(blocks[k][p]->GetComp(c)->size()), Count(nRows));
          return reason;
        }
      }
    }
  }
  return reason;
}

// Loads every operand into a list of its own, re-using the lists of the last computation;
// empty, or which operand did not load.
CString LoadAll(const zar::MArray<CVResult*>& operands, TVResParam& param,
                std::vector<std::unique_ptr<CPostPartialDList>>& lists, Blocks& blocks) {
  while (lists.size() < operands.size()) lists.push_back(std::make_unique<CPostPartialDList>());
  for (std::size_t k = 0; k < operands.size(); ++k) {
    if (!operands[k]->LoadData(lists[k].get(), &param)) {
      CString reason;
      reason.Format(L"operand %d did not load", Count(k));
      return reason;
    }
    blocks.emplace_back();
    for (const auto& pBlock : lists[k]->GetList()) blocks.back().push_back(pBlock.get());
  }
  return CString();
}

// Every column of every block, row by row, into the columns of `spare` where it has them;
// `scratch` takes the operands' columns.
void EvaluateAll(CVResultCalcExpr& expr, const Blocks& blocks, zar::MArray<const double*>& scratch,
                 T_VRES_CALC_OUT& spare, T_VRES_CALC_OUT& out) {
  out.resize(blocks[0].size());
  for (std::size_t p = 0; p < out.size(); ++p) {
    if (p < spare.size()) out[p] = std::move(spare[p]);
    const std::int32_t nComp = blocks[0][p]->GetCompCnt();
    out[p].nCompCnt = nComp;
    out[p].aComp.resize(static_cast<std::size_t>(nComp));
    for (std::int32_t c = 0; c < nComp; ++c) {
      scratch.clear();
      for (const auto& operandBlocks : blocks)
        scratch.push_back(operandBlocks[p]->GetComp(c)->data());
      zar::MArray<double>& column = out[p].aComp[static_cast<std::size_t>(c)];
      column.resize(blocks[0][p]->GetComp(c)->size());
      expr.Evaluate(scratch, column.size(), column.data());
    }
  }
}

}  // namespace

CVResultCalculator::CVResultCalculator(zar_interface::IDBSession* pSession, IPreDBLinker* pLinker,
                                       CMPUData* pMPUData)
    : m_pSession(pSession), m_pLinker(pLinker), m_pMPUData(pMPUData) {}

CVResultCalculator::~CVResultCalculator() = default;

int CVResultCalculator::Compute(const CString& expr, const zar::MTArray<CVResult*>& operands,
                                T_VRES_CALC_OUT& out) {
  const zar::MArray<CVResult*> copy(operands.begin(), operands.end());
  return Compute(expr, copy, out);
}

int CVResultCalculator::CheckVResult(const zar::MArray<CVResult*>& operands) {
  if (operands.empty()) return 0;
  for (const CVResult* vr : operands)
    if (!vr || vr->GetLocType() != operands[0]->GetLocType()) return 0;
  return 1;
}

int CVResultCalculator::Fail(const CString& reason) {
  m_error.strMsg = reason;
  return 0;
}

int CVResultCalculator::Compute(const CString& expr, const zar::MArray<CVResult*>& operands,
                                T_VRES_CALC_OUT& out) {
  T_VRES_CALC_OUT spare;  // the output's storage, for a repeated computation to write again
  spare.swap(out);
  m_error = zar::lib::TParseError();
  if (!CheckVResult(operands)) {
    const bool missing = std::find(operands.begin(), operands.end(), nullptr) != operands.end();
    return Fail(operands.empty() ? L"no operands"
                : missing        ? L"an operand is missing"
                                 : L"the operands are at different locations");
  }

  zar::MArray<CString> tokens;
  const std::int32_t unopened =
      CVResultCalcExpr::CollectTokens(CVResultCalcExpr::Normalise(expr), tokens);
  if (unopened < 0 && tokens.size() != operands.size()) {
    CString reason;
    reason.Format(L"%d operand tokens for %d operands", Count(tokens.size()),
                  Count(operands.size()));
    return Fail(reason);
  }
  if (!m_expr.Set(expr)) {
    m_error = m_expr.GetError();
    return 0;
  }

  Blocks blocks;
  TVResParam param{m_pSession ? m_pSession->GetUnitCtrl() : nullptr, m_pLinker};
  if (const CString reason = LoadAll(operands, param, m_aLoaded, blocks); !reason.IsEmpty())
    return Fail(reason);
  if (const CString reason = ShapeMismatch(blocks); !reason.IsEmpty()) return Fail(reason);
  EvaluateAll(m_expr, blocks, m_aScratch, spare, out);
  return 1;
}
