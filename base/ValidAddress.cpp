#include "base/ValidAddress.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace zar {

namespace {

constexpr std::size_t kChunk = 4096;

// The kernel copies from our own address space and reports EFAULT instead of raising a
// signal, so an unmapped range is answered safely. -1: the call is not permitted here.
int ReadableBySelfCopy(std::uintptr_t start, std::size_t bytes) {
  char buf[kChunk];
  const pid_t self = getpid();
  for (std::size_t done = 0; done < bytes;) {
    const std::size_t n = std::min(bytes - done, kChunk);
    iovec local{buf, n};
    iovec remote{reinterpret_cast<void*>(start + done), n};
    const ssize_t got = process_vm_readv(self, &local, 1, &remote, 1, 0);
    if (got < 0 && (errno == EPERM || errno == ENOSYS)) return -1;
    if (got != static_cast<ssize_t>(n)) return 0;
    done += n;
  }
  return 1;
}

// Where a sandbox forbids that call: writing the bytes into a pipe fails with EFAULT too.
bool ReadableByPipe(std::uintptr_t start, std::size_t bytes) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  bool ok = true;
  char sink[kChunk];
  for (std::size_t done = 0; ok && done < bytes;) {
    const std::size_t n = std::min(bytes - done, kChunk);
    ok = write(fds[1], reinterpret_cast<const void*>(start + done), n) == static_cast<ssize_t>(n);
    ok = ok && read(fds[0], sink, n) == static_cast<ssize_t>(n);
    done += n;
  }
  close(fds[0]);
  close(fds[1]);
  return ok;
}

}  // namespace

bool IsValidAddress(const void* p, std::size_t bytes) {
  if (!p) return false;
  const auto start = reinterpret_cast<std::uintptr_t>(p);
  if (bytes > UINTPTR_MAX - start) return false;
  const int copied = ReadableBySelfCopy(start, bytes);
  return copied < 0 ? ReadableByPipe(start, bytes) : copied == 1;
}

}  // namespace zar
