#pragma once
// The records both samples write, in the real width of the file: the header, solver
// information, sub-cases, steps, id lists and vectors.
#include <cstdint>
#include <string>
#include <vector>

#include "base/CString.h"
#include "resultfile/PZARFileWriter140.h"

class IRecordD;

class CSampleRecordWriter {
public:
  explicit CSampleRecordWriter(std::int32_t realWidth)
      : m_writer(realWidth), m_nRealWidth(realWidth) {}

protected:
  // Opens `path` (UTF-8) and writes the header of the format (130 or 140).
  bool Open(const std::string& path, std::int32_t format = 140);
  bool Finish();
  bool Add(std::int32_t type, std::int32_t id, IRecordD& data);
  // In N, mm and J.
  bool Solver(const wchar_t* name);
  bool Case(const wchar_t* title, std::int32_t analType);
  bool OutputSet(double value, const CString& title);
  bool IDs(std::int32_t type, const std::vector<std::int32_t>& ids);
  bool Vector(std::int32_t comp, std::int32_t dataType, const std::vector<double>& values,
              const wchar_t* name);

  CPZARFileWriter_140 m_writer;
  std::int32_t m_nRealWidth;
};

// Writes through `path` + ".part" files and renames them when all are whole, so that a failed
// write leaves no half file behind. `write(partPaths)` writes the parts; the reason of a failure,
// or empty.
template <class FWrite>
std::string WriteWhole(const std::vector<std::string>& paths, FWrite write);

// The renames and clean-up of WriteWhole.
std::string RenameParts(const std::vector<std::string>& paths, bool written,
                        const std::string& whyNot);

template <class FWrite>
std::string WriteWhole(const std::vector<std::string>& paths, FWrite write) {
  std::vector<std::string> parts;
  for (const std::string& path : paths) parts.push_back(path + ".part");
  std::string why = write(parts);
  return RenameParts(paths, why.empty(), why);
}
