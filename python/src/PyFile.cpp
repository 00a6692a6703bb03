#include "PyFile.h"

namespace pvk_py {

CPvkSession& CPyFile::Session() const {
  if (!m_pSession) throw pybind11::value_error("I/O operation on closed result file");
  return *m_pSession;
}

}  // namespace pvk_py
