#include "base/ValidAddress.h"

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace zar {

bool IsValidAddress(const void* p, std::size_t bytes) {
  if (!p) return false;
  const auto start = reinterpret_cast<std::uintptr_t>(p);
  if (bytes > UINTPTR_MAX - start) return false;
  // The kernel copies from our own address space and reports EFAULT instead of raising a
  // signal, so an unmapped range is answered safely.
  char buf[4096];
  const pid_t self = getpid();
  for (std::size_t done = 0; done < bytes;) {
    const std::size_t n = std::min(bytes - done, sizeof buf);
    iovec local{buf, n};
    iovec remote{reinterpret_cast<void*>(start + done), n};
    if (process_vm_readv(self, &local, 1, &remote, 1, 0) != static_cast<ssize_t>(n)) return false;
    done += n;
  }
  return true;
}

}  // namespace zar
