#pragma once
// The writers of `pvk values` and `pvk calc`: an aligned table, CSV or JSON, written row by row
// to the output as the rows come.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ValueRows.h"

namespace pvk_values {

// A result whose values are shown or computed from.
struct TResultHead {
  std::string token;  // its token in the expression of `pvk calc`
  std::int32_t id = 0;
  std::string name;
  std::string unit;
};

// What the output says about itself.
struct TValuesHead {
  std::string file;
  std::int32_t subcaseNumber = 0;
  std::string subcase;
  std::int32_t stepNumber = 0;
  std::string step;
  // `pvk values`: the one result shown. `pvk calc`: the expression computed, and its operands
  // in token order.
  std::string expression;
  std::vector<TResultHead> results;
  std::int32_t loc = 0;
  std::int32_t amt = 0;
  bool combined = false;  // one value combined from the stored columns
  std::vector<std::string> columns;
  bool labelled = false;  // the rows say where on the element they lie
};

class CValueWriter {
public:
  virtual ~CValueWriter() = default;
  // A writer that measures sees every row before Begin, to size its columns.
  virtual bool Measures() const { return false; }
  virtual void Measure(const TValueRow& /*row*/, std::span<const double> /*values*/) {}
  virtual void Begin() = 0;
  virtual void Row(const TValueRow& row, std::span<const double> values) = 0;
  virtual void End() = 0;
};

enum class EValueFormat { TABLE, CSV, JSON };

EValueFormat FormatOf(bool json, bool csv);
std::unique_ptr<CValueWriter> MakeValueWriter(EValueFormat format, std::FILE* out,
                                              const TValuesHead& head);

// Writes the rows that `eachRow` hands to the function it is given, as
// f(const TValueRow&, std::span<const double>); a writer that measures sees them twice.
template <class EachRow>
void WriteValues(CValueWriter& writer, EachRow eachRow) {
  if (writer.Measures())
    eachRow(
        [&](const TValueRow& row, std::span<const double> values) { writer.Measure(row, values); });
  writer.Begin();
  eachRow([&](const TValueRow& row, std::span<const double> values) { writer.Row(row, values); });
  writer.End();
}

}  // namespace pvk_values
