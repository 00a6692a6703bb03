#pragma once
// Builds PZAR result files for tests: the file header, records of any type and id with raw
// bodies, and the end marker, in the order they are added.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

class PZARTestFile {
public:
  // The tag is stored in the header's four bytes, cut to three characters and NUL-padded.
  explicit PZARTestFile(std::int32_t version = 130, const std::string& tag = "DBL") {
    Int(version);
    char bytes[4] = {};
    std::memcpy(bytes, tag.data(), tag.size() < 3 ? tag.size() : 3);
    Raw(bytes, 4);
  }

  // The count and the table of a format-140 file, its entries zero.
  PZARTestFile& OffsetTable(std::int32_t count, std::size_t entries) {
    Int(count);
    m_bytes.resize(m_bytes.size() + entries * 8, 0);
    return *this;
  }
  PZARTestFile& Record(std::int32_t type, std::int32_t id, const std::vector<char>& body = {}) {
    Int(type);
    Int(id);
    Raw(body.data(), body.size());
    return *this;
  }
  PZARTestFile& End() { return Record(-1, 0); }
  PZARTestFile& Int(std::int32_t v) { return Raw(&v, sizeof(v)); }
  PZARTestFile& Raw(const void* p, std::size_t n) {
    const auto* c = static_cast<const char*>(p);
    m_bytes.insert(m_bytes.end(), c, c + n);
    return *this;
  }

  const std::vector<char>& Bytes() const { return m_bytes; }
  std::size_t Size() const { return m_bytes.size(); }

  // Writes the first `length` bytes (all by default).
  void Save(const std::string& path, std::size_t length = std::string::npos) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(m_bytes.data(), static_cast<std::streamsize>(std::min(length, m_bytes.size())));
  }

private:
  std::vector<char> m_bytes;
};

// Builds a record body field by field.
class PZARBody {
public:
  PZARBody& Int(std::int32_t v) { return Raw(&v, sizeof(v)); }
  PZARBody& Ints(const std::vector<std::int32_t>& values) {
    return Raw(values.data(), values.size() * sizeof(std::int32_t));
  }
  PZARBody& Real(double v, int width = 8) {
    const float f = static_cast<float>(v);
    return width == 4 ? Raw(&f, sizeof(f)) : Raw(&v, sizeof(v));
  }
  // The text's bytes, cut or zero-padded to the field's width.
  PZARBody& Text(const std::string& text, std::size_t width) {
    std::string field = text;
    field.resize(width, '\0');
    return Raw(field.data(), width);
  }
  PZARBody& Raw(const void* p, std::size_t n) {
    const auto* c = static_cast<const char*>(p);
    m_bytes.insert(m_bytes.end(), c, c + n);
    return *this;
  }
  operator const std::vector<char>&() const { return m_bytes; }

private:
  std::vector<char> m_bytes;
};
