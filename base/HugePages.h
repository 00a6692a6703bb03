#pragma once
// Advice to the kernel that large new storage be backed by huge pages: the first touch of
// small pages costs far more than filling them.
#include <cstddef>
#include <cstdint>

#include "base/Containers.h"

namespace zar::lib {

// Only whole huge pages inside the storage are advised; the advice is a hint, so a failure is
// ignored.
void AdviseHugePages(void* storage, std::uint64_t bytes);

// Sizes `out` to n values for a fill that writes every one. Storage that must grow is taken
// anew, since the old values are not worth copying, and advised to huge pages; storage that
// already holds n values is not touched.
template <class T>
void SizeForOverwrite(zar::MArray<T>& out, std::size_t n) {
  if (out.capacity() < n) {
    out.clear();
    out.reserve(n);
    AdviseHugePages(out.data(), std::uint64_t{n} * sizeof(T));
  }
  out.resize(n);
}

}  // namespace zar::lib
