#include "ExportFields.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>

#include "ExportGrid.h"
#include "PvkCommands.h"
#include "PvkText.h"
#include "ValueResult.h"
#include "ValueRows.h"
#include "ValueShown.h"
#include "VtuWriter.h"
#include "core/DataTypes.h"
#include "session/MemModelDB.h"
#include "vresult/VResult.h"

namespace pvk_export {

namespace {

using namespace pvk_values;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// The model's ids, so that a point or cell picked in a viewer names its node or element.
constexpr const char* kNodeIdName = "Node ID";
constexpr const char* kElemIdName = "Element ID";

// Which shown columns become the array's components, and their names.
struct TShape {
  std::vector<std::size_t> pick;
  std::vector<std::string> names;  // none: VTK's own (X, Y, Z)
};

TShape ShapeOf(const std::vector<std::string>& shown) {
  static const std::vector<std::string> vector = {"value", "x", "y", "z"};
  static const std::vector<std::string> tensor = {"xx", "yy", "zz", "xy", "yz", "zx"};
  // A vector: its components; readers find the magnitude themselves.
  if (shown == vector) return {{1, 2, 3}, {}};
  // VTK's symmetric tensor order is the stored one.
  if (shown == tensor) return {{0, 1, 2, 3, 4, 5}, {"XX", "YY", "ZZ", "XY", "YZ", "XZ"}};
  TShape shape;
  shape.pick.resize(shown.size());
  std::iota(shape.pick.begin(), shape.pick.end(), 0);
  if (shown.size() > 1) shape.names = shown;
  return shape;
}

std::string ArrayName(const CVResult& vr, const std::string& where, const TFieldContext& c) {
  const std::string unit = UnitText(vr, c.units);
  return pvk_text::Utf8(vr.GetName()) + where + (unit.empty() ? "" : " [" + unit + "]");
}

TExportField Field(bool cell, std::string name, const TShape& shape, std::int64_t tuples,
                   CArrayPool& pool) {
  const auto n = static_cast<std::int32_t>(shape.pick.size());
  return {cell, std::move(name), n, shape.names, pool.Take(static_cast<std::size_t>(tuples * n))};
}

// Fills an array in one pass, without filling it first: tuples that come in order are
// appended, a gap reads NaN, a tuple met again is overwritten (the last value wins).
class CTupleFill {
public:
  CTupleFill(TExportField& field, const TShape& shape) : m_field(field), m_shape(shape) {}

  void Put(std::int64_t tuple, std::span<const double> values) {
    std::vector<double>& out = m_field.values;
    const auto n = static_cast<std::size_t>(m_field.components);
    const auto at = static_cast<std::size_t>(tuple) * n;
    if (at < out.size()) {
      for (std::size_t c = 0; c < n; ++c) out[at + c] = values[m_shape.pick[c]];
      return;
    }
    out.resize(at, kNone);
    for (const std::size_t k : m_shape.pick) out.push_back(values[k]);
  }
  // Tuples that no row named read NaN.
  void Finish(std::int64_t tuples) {
    m_field.values.resize(static_cast<std::size_t>(tuples * m_field.components), kNone);
  }

private:
  TExportField& m_field;
  const TShape& m_shape;
};

// An element's value at one of its nodes or related vectors, kept until the count is known.
struct TNodeValue {
  std::int64_t cell;
  std::int64_t slot;  // the cell's point in VTK's order, or the related vector
};

// The element node field: one group of components per cell point or related vector.
TExportField NodeField(const CVResult& vr, const TShape& shape, const TFieldContext& c,
                       const std::vector<TNodeValue>& at, const std::vector<double>& values) {
  const bool related = vr.GetLocType() == pvk::LOC_ELEM_CORNER;
  std::int64_t slots = 0;
  for (const TNodeValue& v : at) slots = std::max(slots, v.slot + 1);
  const auto n = static_cast<std::int64_t>(shape.pick.size());
  const auto count = static_cast<std::size_t>(c.grid.Cells() * slots * n);
  TExportField field{true,
                     ArrayName(vr, related ? " (element corners)" : " (element nodes)", c),
                     static_cast<std::int32_t>(slots * n),
                     {},
                     c.pool.Take(count)};
  field.values.assign(count, kNone);
  for (std::int64_t s = 0; s < slots; ++s)
    for (std::int64_t k = 0; k < n; ++k)
      field.componentNames.push_back((related ? "related " : "node ") + std::to_string(s + 1) +
                                     (shape.names.empty() ? "" : " " + shape.names[k]));
  for (std::size_t i = 0; i < at.size(); ++i)
    std::copy_n(values.begin() + static_cast<std::ptrdiff_t>(i * n), n,
                field.values.begin() + (at[i].cell * slots + at[i].slot) * n);
  return field;
}

// The slot of a node value: where the node stands among the cell's points; -1 when it is none
// of them.
std::int64_t NodeSlot(const TFieldContext& c, std::int64_t cell, const TValueRow& row) {
  if (row.at == ERowAt::RELATED) return row.number - 1;
  const std::int64_t point = c.grid.pointIndex.Find(row.number);
  const std::span<const std::int64_t> points = c.grid.CellPoints(cell);
  const auto it = std::find(points.begin(), points.end(), point);
  return it == points.end() ? -1 : it - points.begin();
}

}  // namespace

std::vector<double> CArrayPool::Take(std::size_t count) {
  auto best = m_aSpare.end();
  for (auto it = m_aSpare.begin(); it != m_aSpare.end(); ++it)
    if (it->capacity() >= count && (best == m_aSpare.end() || it->capacity() < best->capacity()))
      best = it;
  std::vector<double> values;
  if (best == m_aSpare.end()) {
    ReserveLarge(values, count);
    return values;
  }
  values = std::move(*best);
  m_aSpare.erase(best);
  values.clear();
  return values;
}

bool IsExportable(const CVResult& vr) {
  return vr.GetLocType() == pvk::LOC_NODE || IsElementLoc(vr.GetLocType());
}

std::vector<TExportField> ResultFields(CVResult& vr, const TFieldContext& c) {
  TVResParam param{c.pUnits, &c.model};
  CPostPartialDList list;
  const CPostPartialD& first = LoadValues(vr, list, param);
  const TShown shown = Shown(vr, first, false);
  const TShape shape = ShapeOf(ShownNames(shown, first));
  const bool cell = vr.GetLocType() != pvk::LOC_NODE;
  const TRowRules rules{vr.GetLocType(), 0, false, &c.model};

  const std::int64_t tuples = cell ? c.grid.Cells() : c.grid.Points();
  TExportField main = Field(cell, ArrayName(vr, "", c), shape, tuples, c.pool);
  CTupleFill fill(main, shape);
  std::vector<TNodeValue> at;
  std::vector<double> nodeValues;
  EachRow(vr, list, shown, rules, [&](const TValueRow& row, std::span<const double> values) {
    const std::int64_t tuple =
        cell ? c.grid.cellIndex.Find(row.id) : c.grid.pointIndex.Find(row.id);
    if (tuple < 0) return;
    if (row.at == ERowAt::ENTITY || row.at == ERowAt::CENTRE) return fill.Put(tuple, values);
    const std::int64_t slot = NodeSlot(c, tuple, row);
    if (slot < 0) return;
    at.push_back({tuple, slot});
    for (const std::size_t k : shape.pick) nodeValues.push_back(values[k]);
  });
  fill.Finish(tuples);
  std::vector<TExportField> fields;
  fields.push_back(std::move(main));
  if (!at.empty()) fields.push_back(NodeField(vr, shape, c, at, nodeValues));
  return fields;
}

std::string WriteStep(const std::string& path, const std::vector<CVResult*>& results,
                      const TFieldContext& c, bool compress) {
  std::vector<TExportField> fields;
  std::set<std::string> taken[2] = {{kNodeIdName}, {kElemIdName}};  // point and cell data
  for (CVResult* vr : results)
    for (TExportField& field : ResultFields(*vr, c)) {
      if (!taken[field.cell].insert(field.name).second)
        field.name += " (" + std::to_string(vr->GetType()) + ")";
      fields.push_back(std::move(field));
    }
  const TExportGrid& g = c.grid;
  TVtuPiece piece{g.Points(),
                  g.Cells(),
                  {"", EVtuType::FLOAT64, 3, {}, BytesOf(g.positions)},
                  {"connectivity", EVtuType::INT64, 1, {}, BytesOf(g.connectivity)},
                  {"offsets", EVtuType::INT64, 1, {}, BytesOf(g.offsets)},
                  {"types", EVtuType::UINT8, 1, {}, BytesOf(g.types)},
                  {{kNodeIdName, EVtuType::INT32, 1, {}, BytesOf(g.nodeIds)}},
                  {{kElemIdName, EVtuType::INT32, 1, {}, BytesOf(g.elemIds)}}};
  for (const TExportField& f : fields)
    (f.cell ? piece.cellData : piece.pointData)
        .push_back({f.name, EVtuType::FLOAT64, f.components, f.componentNames, BytesOf(f.values)});
  std::string why = WriteVtu(path, piece, compress);
  for (TExportField& f : fields) c.pool.Give(std::move(f.values));
  return why;
}

}  // namespace pvk_export
