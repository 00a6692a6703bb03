#pragma once
// Advice to the kernel that large new storage be backed by huge pages: the first touch of
// small pages costs far more than filling them.
#include <cstdint>

namespace zar::lib {

// Only whole huge pages inside the storage are advised; the advice is a hint, so a failure is
// ignored.
void AdviseHugePages(void* storage, std::uint64_t bytes);

}  // namespace zar::lib
