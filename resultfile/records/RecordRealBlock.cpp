#include "resultfile/records/RecordRealBlock.h"

#include <cstring>
#include <memory>

#include "base/File.h"
#include "resultfile/PZARRecord.h"

namespace pzar_body {

namespace {

// The largest piece handed to one read or write call.
constexpr std::uint64_t kMaxPiece = 1ull << 30;
// Values widened per step: a fixed block lets the compiler vectorise the loop.
constexpr std::uint64_t kWidenBlock = 16;
// Floats read per call into a buffer of 512 KiB that stays in the cache.
constexpr std::uint64_t kWidenChunk = std::uint64_t{128} * 1024;

// Widens `count` floats stored at src to doubles at dst.
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
  // Floats are read a chunk at a time into a small buffer that stays in cache and widened from
  // there, so that the destination is written once.
  thread_local std::unique_ptr<float[]> s_pChunk;
  if (!s_pChunk) s_pChunk = std::make_unique<float[]>(kWidenChunk);
  auto* out = static_cast<unsigned char*>(dst);
  for (std::uint64_t done = 0; done < count;) {
    const std::uint64_t n = count - done < kWidenChunk ? count - done : kWidenChunk;
    auto* floats = reinterpret_cast<unsigned char*>(s_pChunk.get());
    if (!ReadBytes(file, floats, n * sizeof(float))) return false;
    Widen(floats, out + done * sizeof(double), n);
    done += n;
  }
  return true;
}

}  // namespace pzar_body
