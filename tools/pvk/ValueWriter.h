#pragma once
// The writers of `pvk values`: an aligned table, CSV or JSON, written row by row to the
// output as the rows come.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ValueRows.h"

namespace pvk_values {

// What the output says about itself.
struct TValuesHead {
  std::string file;
  std::int32_t subcaseNumber = 0;
  std::string subcase;
  std::int32_t stepNumber = 0;
  std::string step;
  std::int32_t resultId = 0;
  std::string resultName;
  std::int32_t loc = 0;
  std::int32_t amt = 0;
  std::string unit;
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

std::unique_ptr<CValueWriter> MakeValueWriter(EValueFormat format, std::FILE* out,
                                              const TValuesHead& head);

}  // namespace pvk_values
