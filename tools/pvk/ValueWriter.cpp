#include "ValueWriter.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "PvkText.h"

namespace pvk_values {

namespace {

using pvk_text::JsonString;

// The key column; "at" follows it for element results.
constexpr const char* kIdColumn = "id";
constexpr const char* kAtColumn = "at";
constexpr const char* kGap = "  ";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string UnitOrNone(const TResultHead& result) {
  return result.unit.empty() ? "none" : result.unit;
}

// JSON has no NaN or infinity.
// A NaN prints as "nan" whatever its sign bit: 0/0 gives -nan on this platform.
double Shown(double value) {
  return std::isnan(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

void PrintJsonNumber(std::FILE* out, double value) {
  if (std::isfinite(value))
    fmt::print(out, "{}", value);
  else
    std::fputs("null", out);
}

class CTableWriter : public CValueWriter {
public:
  CTableWriter(std::FILE* out, const TValuesHead& head) : m_out(out), m_head(head) {
    m_widths.push_back(std::char_traits<char>::length(kIdColumn));
    m_widths.push_back(head.labelled ? std::char_traits<char>::length(kAtColumn) : 0);
    for (const std::string& name : head.columns) m_widths.push_back(name.size());
  }
  bool Measures() const override { return true; }
  void Measure(const TValueRow& row, std::span<const double> values) override {
    Widen(0, fmt::formatted_size("{}", row.id));
    if (m_head.labelled) Widen(1, AtText(row).size());
    for (std::size_t c = 0; c < values.size(); ++c)
      Widen(c + 2, fmt::formatted_size("{}", Shown(values[c])));
  }
  void Begin() override {
    const TValuesHead& h = m_head;
    fmt::print(m_out, "file {}, sub-case {} {}, step {} {}\n", h.file, h.subcaseNumber,
               Quoted(h.subcase), h.stepNumber, Quoted(h.step));
    if (h.expression.empty()) {
      const TResultHead& r = h.results.at(0);
      fmt::print(m_out, "result {} {} at {}, unit {}\n", r.id, Quoted(r.name),
                 pvk_text::LocationName(h.loc), UnitOrNone(r));
    } else {
      fmt::print(m_out, "expression {} at {}\n", Quoted(h.expression),
                 pvk_text::LocationName(h.loc));
      for (const TResultHead& r : h.results)
        fmt::print(m_out, "  {} result {} {}, unit {}\n", r.token, r.id, Quoted(r.name),
                   UnitOrNone(r));
    }
    fmt::print(m_out, "{:>{}}", kIdColumn, m_widths[0]);
    if (h.labelled) fmt::print(m_out, "{}{:<{}}", kGap, kAtColumn, m_widths[1]);
    for (std::size_t c = 0; c < h.columns.size(); ++c)
      fmt::print(m_out, "{}{:>{}}", kGap, h.columns[c], m_widths[c + 2]);
    std::fputc('\n', m_out);
  }
  void Row(const TValueRow& row, std::span<const double> values) override {
    fmt::print(m_out, "{:>{}}", row.id, m_widths[0]);
    if (m_head.labelled) fmt::print(m_out, "{}{:<{}}", kGap, AtText(row), m_widths[1]);
    for (std::size_t c = 0; c < values.size(); ++c)
      fmt::print(m_out, "{}{:>{}}", kGap, Shown(values[c]), m_widths[c + 2]);
    std::fputc('\n', m_out);
  }
  void End() override {}

private:
  void Widen(std::size_t column, std::size_t width) {
    if (column < m_widths.size()) m_widths[column] = std::max(m_widths[column], width);
  }

  std::FILE* m_out;  // not owned
  const TValuesHead& m_head;
  std::vector<std::size_t> m_widths;  // id, at, then the value columns
};

class CCsvWriter : public CValueWriter {
public:
  CCsvWriter(std::FILE* out, const TValuesHead& head) : m_out(out), m_head(head) {}
  void Begin() override {
    std::fputs(kIdColumn, m_out);
    if (m_head.labelled) fmt::print(m_out, ",{}", kAtColumn);
    for (const std::string& name : m_head.columns) fmt::print(m_out, ",{}", name);
    std::fputc('\n', m_out);
  }
  void Row(const TValueRow& row, std::span<const double> values) override {
    fmt::print(m_out, "{}", row.id);
    if (m_head.labelled) fmt::print(m_out, ",{}", AtText(row));
    for (const double v : values) fmt::print(m_out, ",{}", Shown(v));
    std::fputc('\n', m_out);
  }
  void End() override {}

private:
  std::FILE* m_out;  // not owned
  const TValuesHead& m_head;
};

class CJsonWriter : public CValueWriter {
public:
  CJsonWriter(std::FILE* out, const TValuesHead& head) : m_out(out), m_head(head) {}
  void Begin() override {
    const TValuesHead& h = m_head;
    fmt::print(m_out, R"({{"schema_version": 1, "file": {}, )", JsonString(h.file));
    fmt::print(m_out, R"("subcase": {{"number": {}, "name": {}}}, )", h.subcaseNumber,
               JsonString(h.subcase));
    fmt::print(m_out, R"("step": {{"number": {}, "name": {}}}, )", h.stepNumber,
               JsonString(h.step));
    if (h.expression.empty()) {
      const TResultHead& r = h.results.at(0);
      fmt::print(m_out, R"("result": {{"id": {}, "name": {}}}, )", r.id, JsonString(r.name));
    } else {
      fmt::print(m_out, R"("expression": {}, "operands": [)", JsonString(h.expression));
      for (std::size_t k = 0; k < h.results.size(); ++k) {
        const TResultHead& r = h.results[k];
        fmt::print(m_out, R"({}{{"token": {}, "id": {}, "name": {}, "unit": {}}})", k ? ", " : "",
                   JsonString(r.token), r.id, JsonString(r.name), JsonString(r.unit));
      }
      std::fputs("], ", m_out);
    }
    fmt::print(m_out, R"("location": {{"type": {}, "name": {}}}, "amount_type": {}, )", h.loc,
               JsonString(pvk_text::LocationName(h.loc)), h.amt);
    if (h.expression.empty())
      fmt::print(m_out, R"("unit": {}, "combined": {}, )", JsonString(h.results.at(0).unit),
                 h.combined);
    std::fputs(R"("columns": [)", m_out);
    for (std::size_t c = 0; c < h.columns.size(); ++c)
      fmt::print(m_out, "{}{}", c ? ", " : "", JsonString(h.columns[c]));
    std::fputs(R"(], "rows": [)", m_out);
  }
  void Row(const TValueRow& row, std::span<const double> values) override {
    fmt::print(m_out, R"({}{{"id": {}, )", m_rows++ ? ",\n " : "\n ", row.id);
    if (m_head.labelled) fmt::print(m_out, R"("at": {}, )", JsonString(AtText(row)));
    std::fputs(R"("values": [)", m_out);
    for (std::size_t c = 0; c < values.size(); ++c) {
      if (c) std::fputs(", ", m_out);
      PrintJsonNumber(m_out, values[c]);
    }
    std::fputs("]}", m_out);
  }
  void End() override { std::fputs(m_rows ? "\n]}\n" : "]}\n", m_out); }

private:
  std::FILE* m_out;  // not owned
  const TValuesHead& m_head;
  std::size_t m_rows = 0;
};

}  // namespace

EValueFormat FormatOf(bool json, bool csv) {
  return json ? EValueFormat::JSON : csv ? EValueFormat::CSV : EValueFormat::TABLE;
}

std::unique_ptr<CValueWriter> MakeValueWriter(EValueFormat format, std::FILE* out,
                                              const TValuesHead& head) {
  switch (format) {
    case EValueFormat::CSV:
      return std::make_unique<CCsvWriter>(out, head);
    case EValueFormat::JSON:
      return std::make_unique<CJsonWriter>(out, head);
    case EValueFormat::TABLE:
      break;
  }
  return std::make_unique<CTableWriter>(out, head);
}

}  // namespace pvk_values
