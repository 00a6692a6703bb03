#pragma once
// The record of a type that is in force for a record: the last one before it in file order,
// as the counters that its scan used were set by that record.
#include <cstdint>

class CPZARRecord;

namespace pzar_record {

// Null when the record has no file or no such record precedes it. A record not yet in its
// file's list, while it is scanned, looks at all records kept so far.
CPZARRecord* FindRecordBefore(const CPZARRecord& record, std::int32_t type);

}  // namespace pzar_record
