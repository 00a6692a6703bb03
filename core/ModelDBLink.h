#pragma once
// The host's link to its pre-processing model database. The host implements both
// interfaces; the library only calls them.
//
// A model-database iterator (dbItr) is an unsigned 64-bit handle of one database item, 0 for
// none. A record returned by GetRecord begins with the item's 32-bit id, so a caller holding
// an iterator can always learn the id behind it. Element objects are passed as their
// iterators, as FindByID on the element table returns them.
#include <cstddef>
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"

// What the model knows about an element's type. Callers rely on the third integer, the
// element's node count.
struct TPreElemTypeInfo {
  std::int32_t m_nTypeCode;  // 0 to 15, an index into the element type table
  std::int32_t m_nCornerNodeCnt;
  std::int32_t m_nNodeCnt;
  std::int32_t m_nDimension;  // 0 point, 1 line, 2 surface, 3 solid
};
static_assert(offsetof(TPreElemTypeInfo, m_nNodeCnt) == 2 * sizeof(std::int32_t));

class PVK_API IPreDBTable {
public:
  virtual ~IPreDBTable() = default;
  // The item's record, or null when the iterator names no item of this table.
  virtual const void* GetRecord(std::uint64_t dbItr) const = 0;
  virtual std::int32_t GetCount() const = 0;
  // 0 when no item has that id.
  virtual std::uint64_t FindByID(std::int32_t id) const = 0;
  // The item's 32-bit key: its low 29 bits are the item's 0-based index in this table, the
  // high bits are the model's own. N_NO_KEY when the iterator names no item of this table.
  virtual std::uint32_t GetKey(std::uint64_t dbItr) const = 0;

  static constexpr std::uint32_t N_NO_KEY = 0xFFFFFFFFu;
  static constexpr std::uint32_t N_KEY_INDEX_MASK = 0x1FFFFFFFu;
};

class PVK_API IPreDBLinker {
public:
  // The table of the analysis result items; this byte of an item's record is its analysis
  // kind code. Both are the host's record layout.
  static constexpr std::int32_t N_ANALYSIS_TABLE = 530;
  static constexpr std::size_t N_ANALYSIS_KIND_BYTE = 99;

  virtual ~IPreDBLinker() = default;
  virtual const IPreDBTable* GetNodeTable() const = 0;
  virtual const IPreDBTable* GetElementTable() const = 0;
  // Null for a table the model does not have.
  virtual const IPreDBTable* GetTable(std::int32_t tableNo) const = 0;
  // Opaque to the library; handed on to the mesh post unit. Not owned.
  virtual void* GetBodyModel() const = 0;
  // The element's type code, 0 to 15; 0 for an iterator that names no element.
  virtual std::int32_t GetElemType(std::uint64_t element) const = 0;
  // Null for an iterator that names no element.
  virtual const TPreElemTypeInfo* GetElemTypeInfo(std::uint64_t element) const = 0;
  // The load case named title for the result item dbItr, or 0 when none.
  virtual std::uint64_t FindLoadCase(std::uint64_t dbItr, const CString& title) const = 0;
  // Non-zero when the solver of that id asks for solver type 1.
  virtual int QuerySolver(std::int32_t solverId) const = 0;
  // The item's name; empty when the item is unknown or has none.
  virtual CString GetItemName(std::uint64_t dbItr) const = 0;
};
