#pragma once
// A stand-alone model database from a scanned file's own format-150 node (10013) and element
// (10015) records, for hosts that have no model database of their own.
#include "qve_pvk_export.h"

class CPZARFile;
class CMemModelDB;

namespace pzar_model {

// Adds the file's nodes, then its elements, to db; returns the number of nodes and elements
// added, 0 (db untouched) when the file holds no node records. The first node or element of
// an id wins; an element that names a node the database does not hold is left out, and so
// are the entries of a record that cannot be read back from the file.
PVK_API int FillModelDBFromFile(const CPZARFile& file, CMemModelDB& db);

}  // namespace pzar_model
