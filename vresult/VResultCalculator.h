#pragma once
// The result calculator: a new result defined as an expression over existing ones, such as
// [A]*2+[B] or SQRT([SXX]^2+[SYY]^2), computed row by row over the values of the operands.
// The expression is compiled once with one variable per operand token and evaluated in double
// precision per row, so nearly equal operands subtract exactly and tiny values keep their
// digits. Each operand is one value in the grammar: [A]^2 of -1 is 1, and a token written
// against a number or a name ("2[A]", "[A]2") does not parse.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/MyParser.h"
#include "qve_pvk_export.h"
#include "vresult/VResultCalcExpr.h"

class CMPUData;
class CPostPartialDList;
class CVResult;
class IPreDBLinker;

namespace zar_interface {
class IDBSession;
}

// The computed columns of one partial data object of the operands.
struct T_VRES_CALC_PART {
  std::int32_t nCompCnt = 0;
  zar::MArray<zar::MArray<double>> aComp;  // nCompCnt columns of one value per row

  bool operator==(const T_VRES_CALC_PART&) const = default;
};

// One entry per partial data object (per data set binding of the operands).
using T_VRES_CALC_OUT = zar::MArray<T_VRES_CALC_PART>;

class PVK_API CVResultCalculator {
public:
  // None of the three is owned. The session supplies the unit control of the loads (null: the
  // result files' units); the link maps entity ids to model items.
  CVResultCalculator(zar_interface::IDBSession* pSession, IPreDBLinker* pLinker,
                     CMPUData* pMPUData);
  virtual ~CVResultCalculator();

  // Copies the operands and computes as the form below.
  int Compute(const CString& expr, const zar::MTArray<CVResult*>& operands, T_VRES_CALC_OUT& out);
  // Operand k stands for the k-th token of the expression. 1 with the output filled (in the
  // storage it had, where it fits); 0 with the reason kept. A failure leaves the output empty.
  int Compute(const CString& expr, const zar::MArray<CVResult*>& operands, T_VRES_CALC_OUT& out);

  // Why the last Compute failed, and where in the normalised expression when the failure
  // has a place there (-1 otherwise); empty after a success.
  const CString& GetErrorMsg() const { return m_error.strMsg; }
  std::int32_t GetErrorPos() const { return m_error.nPos; }

protected:
  // 1 when there is an operand and every one has the location type of the first.
  int CheckVResult(const zar::MArray<CVResult*>& operands);

private:
  int Fail(const CString& reason);

  zar_interface::IDBSession* m_pSession;  // not owned
  IPreDBLinker* m_pLinker;                // not owned
  CMPUData* m_pMPUData;                   // not owned; the computation does not read it
  zar::MArray<const double*> m_aScratch;  // the operands' columns of the one being computed
  CVResultCalcExpr m_expr;
  // The operands' values, kept so that a repeated computation loads into memory it has.
  std::vector<std::unique_ptr<CPostPartialDList>> m_aLoaded;
  zar::lib::TParseError m_error;
};
