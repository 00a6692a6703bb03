#pragma once
// Loaders that answer from fixed data and remember what they were asked, for the data set and
// component tests.
#include <cstdint>
#include <optional>

#include "base/Containers.h"
#include "core/DataTypes.h"
#include "datastore/PostDataEntityCaseDataLoader.h"
#include "datastore/PostDataEntityCaseInfoLoader.h"
#include "datastore/PostDataEntityCompLoader.h"
#include "datastore/PostDataLoader.h"

template <class T>
class FakeResultLoader : public IPostDataUnitResultLoader<T> {
public:
  explicit FakeResultLoader(zar::MArray<T> values = {}, int answer = 1)
      : m_values(std::move(values)), m_nAnswer(answer) {}

  int LoadData(zar::MArray<T>& out, const zar::MArray<std::uint64_t>&, IPreDBLinker*) override {
    return Answer(out);
  }
  int LoadData(zar::MArray<T>& out, zar::MArray<std::uint64_t>&, IPreDBLinker*,
               zar::MArray<std::int32_t>*) override {
    return Answer(out);
  }
  int LoadData(zar::MArray<T>& out, IPreDBLinker*, zar::MArray<std::int32_t>*) override {
    return Answer(out);
  }
  int GetDataInfo(pvk::TVResDInfo* info) override {
    if (!m_info) return 0;
    *info = *m_info;
    return 1;
  }
  std::int32_t GetDataCount() const override { return static_cast<std::int32_t>(m_values.size()); }

  std::optional<pvk::TVResDInfo> m_info;

private:
  int Answer(zar::MArray<T>& out) {
    out = m_values;
    return m_nAnswer;
  }
  zar::MArray<T> m_values;
  int m_nAnswer;
};

// The entity loaders answer m_nAnswer and record which slot ran with which key, entity and
// key list.
struct FakeEntityCall {
  int m_nSlot = 0;
  std::int32_t m_nKey = 0;
  std::int32_t m_nEntity = 0;
  const zar::MArray<std::int32_t>* m_pKeys = nullptr;
  bool operator==(const FakeEntityCall&) const = default;
};

struct FakeEntityRecorder {
  int Record(const FakeEntityCall& call) {
    m_call = call;
    return m_nAnswer;
  }
  int m_nAnswer = 1;
  FakeEntityCall m_call;
};

class FakeCompLoader : public IPostDataUnitEntityCompLoader<double>, public FakeEntityRecorder {
public:
  int LoadUnitData(std::int32_t, zar::MArray<std::int32_t>*, zar::MArray<unsigned int>&,
                   zar::MArray<double>&) override {
    return 0;
  }
  // Returns m_aIds with one value each.
  int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>& ids,
               zar::MArray<unsigned int>& comps, zar::MArray<double>& values) override {
    ids = m_aIds;
    comps.assign(ids.size(), 1u);
    values.assign(ids.size(), 0.5);
    return Record({2, 0, 0, keys});
  }
  zar::MArray<std::int32_t> m_aIds;
};

class FakeCaseInfoLoader : public IPostDataUnitEntityCaseInfoLoader<unsigned int>,
                           public FakeEntityRecorder {
public:
  int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>&, unsigned&, unsigned&, unsigned&,
                   zar::MArray<unsigned int>&) override {
    return Record({1, key, 0, nullptr});
  }
  int LoadUnitData(std::int32_t entityId, const zar::MArray<std::int32_t>* keys, unsigned&,
                   unsigned&, unsigned&, zar::MArray<unsigned int>&) override {
    return Record({2, 0, entityId, keys});
  }
  int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>&, unsigned&,
               unsigned&, unsigned&, zar::MArray<unsigned int>&) override {
    return Record({3, 0, 0, keys});
  }
};

class FakeCaseDataLoader : public IPostDataUnitEntityCaseDataLoader<double>,
                           public FakeEntityRecorder {
public:
  // Returns m_aIds with m_nPer values per entity.
  int LoadUnitData(std::int32_t key, zar::MArray<std::int32_t>&, zar::MArray<std::int32_t>& ids,
                   unsigned& nPer, zar::MArray<double>&) override {
    ids = m_aIds;
    nPer = m_nPer;
    return Record({1, key, 0, nullptr});
  }
  int LoadUnitData(std::int32_t entityId, const zar::MArray<std::int32_t>* keys,
                   zar::MArray<std::int32_t>&, unsigned&, zar::MArray<double>&) override {
    return Record({2, 0, entityId, keys});
  }
  int LoadUnitData(std::int32_t key, std::int32_t entityId, const unsigned*,
                   const zar::MArray<std::int32_t>&, zar::MArray<double>&) override {
    return Record({3, key, entityId, nullptr});
  }
  int LoadData(const zar::MArray<std::int32_t>* keys, zar::MArray<std::int32_t>&,
               zar::MArray<std::int32_t>&, unsigned&, zar::MArray<double>&) override {
    return Record({4, 0, 0, keys});
  }
  unsigned m_nPer = 0;
  zar::MArray<std::int32_t> m_aIds;
};
