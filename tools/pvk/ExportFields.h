#pragma once
// The VTK arrays of one result, taken from the rows that `pvk values` shows: a node result as
// point data; an element result as cell data of its centre values and, where the file holds
// them, a second array of its element node values. Entities without a value read NaN.
#include <cstdint>
#include <string>
#include <vector>

#include "base/UnitIndex.h"

class CVResult;
class CMemModelDB;
namespace zar::lib {
class MUnitCtrl;
}

namespace pvk_export {

struct TExportGrid;

struct TExportField {
  bool cell = false;  // cell data, else point data
  std::string name;
  std::int32_t components = 1;
  std::vector<std::string> componentNames;
  std::vector<double> values;  // tuple after tuple
};

// Whether the result lies on the model's nodes or elements.
bool IsExportable(const CVResult& vr);

// Value arrays handed back after a step, so that the next step fills memory it has touched
// already instead of faulting fresh pages in.
class CArrayPool {
public:
  // An empty array with room for `count` values: the smallest spare that holds them, else new.
  std::vector<double> Take(std::size_t count);
  void Give(std::vector<double> values) { m_aSpare.push_back(std::move(values)); }

private:
  std::vector<std::vector<double>> m_aSpare;
};

struct TFieldContext {
  const TExportGrid& grid;
  CMemModelDB& model;
  const zar::lib::MUnitCtrl* pUnits;  // not owned; null: the file's units
  zar::lib::T_UNIT_INDEX units;       // for the unit in the name
  CArrayPool& pool;                   // the arrays of the step come from it and go back
};

// Throws CPvkError (1) when the values cannot be loaded.
std::vector<TExportField> ResultFields(CVResult& vr, const TFieldContext& context);

// Writes the grid with the arrays of the results to `path`; empty, or why it failed. An array
// whose name another has taken gets the result id after its name.
std::string WriteStep(const std::string& path, const std::vector<CVResult*>& results,
                      const TFieldContext& context, bool compress);

}  // namespace pvk_export
