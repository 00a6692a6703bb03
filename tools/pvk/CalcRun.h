#pragma once
// A result computed from others by an expression, as `pvk calc` computes it: every column of
// a row from the same row and column of each operand.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/UnitIndex.h"
#include "datastore/PostPartialDList.h"
#include "vresult/VResultCalculator.h"

class CPvkSession;
class CVResult;
class CVResultCalcExpr;

// Throws CPvkError (2) when the expression `text` did not compile (`compiled` 0), with the
// parser's reason, or when its tokens are not as many as the operands.
void CheckExpression(const CVResultCalcExpr& expr, int compiled, const std::string& text,
                     std::size_t operands);

struct TCalcRows {
  CPostPartialDList labels;  // the keys and rows of operand 0
  T_VRES_CALC_OUT values;    // a part per block of the labels
  std::int32_t amt = 0;      // of operand 0
  std::int32_t compCnt = 0;
};

// Computes `expr` over the operands, loaded in `units` (the file's without). Throws CPvkError.
void ComputeRows(CPvkSession& session, const CString& expr, const std::vector<CVResult*>& operands,
                 const std::optional<zar::lib::T_UNIT_INDEX>& units, TCalcRows& out);
