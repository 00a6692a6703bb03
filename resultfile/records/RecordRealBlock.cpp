#include "resultfile/records/RecordRealBlock.h"

#include <cstring>

#include "base/File.h"
#include "resultfile/PZARRecord.h"

namespace pzar_body {

namespace {

// The largest piece handed to one read or write call.
constexpr std::uint64_t kMaxPiece = 1ull << 30;
// Values widened per step: a fixed block lets the compiler vectorise the loop.
constexpr std::uint64_t kWidenBlock = 16;
// Floats read per call: their doubles (1 MiB) stay in the cache.
constexpr std::uint64_t kWidenChunk = 128 * 1024;

// Widens `count` floats stored at src to doubles at dst. dst may be the same buffer with the
// floats in its upper half: each block of floats is copied out before its doubles are stored,
// and a block's doubles never reach the floats that follow it.
void Widen(const unsigned char* src, unsigned char* dst, std::uint64_t count) {
  std::uint64_t i = 0;
  for (; i + kWidenBlock <= count; i += kWidenBlock) {
    float f[kWidenBlock];
    double d[kWidenBlock];
    std::memcpy(f, src + i * sizeof(float), sizeof(f));
    for (std::uint64_t k = 0; k < kWidenBlock; ++k) d[k] = f[k];
    std::memcpy(dst + i * sizeof(double), d, sizeof(d));
  }
  for (; i < count; ++i) {
    float f;
    std::memcpy(&f, src + i * sizeof(float), sizeof(f));
    const double d = f;
    std::memcpy(dst + i * sizeof(double), &d, sizeof(d));
  }
}

}  // namespace

bool ReadBytes(CFile& file, void* dst, std::uint64_t bytes) {
  auto* p = static_cast<unsigned char*>(dst);
  while (bytes > 0) {
    const auto piece = static_cast<unsigned>(bytes < kMaxPiece ? bytes : kMaxPiece);
    if (file.Read(p, piece) != piece) return false;
    p += piece;
    bytes -= piece;
  }
  return true;
}

bool ReadRealBlock(CFile& file, std::uint64_t pos, std::uint64_t count, std::int32_t width,
                   void* dst) {
  file.Seek(static_cast<std::int64_t>(pos), CFile::begin);
  if (width != 4) return ReadBytes(file, dst, count * sizeof(double));
  // A chunk of floats is read into the upper half of its doubles' place and widened there
  // while it is still in cache.
  auto* out = static_cast<unsigned char*>(dst);
  for (std::uint64_t done = 0; done < count;) {
    const std::uint64_t n = count - done < kWidenChunk ? count - done : kWidenChunk;
    unsigned char* doubles = out + done * sizeof(double);
    unsigned char* floats = doubles + n * sizeof(float);
    if (!ReadBytes(file, floats, n * sizeof(float))) return false;
    Widen(floats, doubles, n);
    done += n;
  }
  return true;
}

}  // namespace pzar_body
