// The vector kernel of the band counting: per rank, how many values lie above it. A vector of
// values is compared with up to N_CHUNK ranks at once, each with its own accumulator in a
// register, so that no value is ever a branch or an index and, for legends of up to N_CHUNK + 2
// ranks, the values are read once. More ranks take more passes over each block of values
// while the block stays in the first-level cache.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <utility>

#include "render/LegendBandCounter.h"

namespace pvk::legend {

namespace {

// Values per block: 4 KiB.
constexpr std::size_t N_BLOCK = 512;
// Values per cache line.
constexpr std::size_t N_LINE = 64 / sizeof(double);
// Ranks per pass: their accumulators and the two of the finite test fill the registers.
constexpr std::size_t N_CHUNK = 8;

// Vectors of the baseline instruction set (two lanes) and of AVX2 (four).
template <std::size_t N>
struct TLanes {
  using VD [[gnu::vector_size(N * sizeof(double))]] = double;
  using VL [[gnu::vector_size(N * sizeof(std::int64_t))]] = std::int64_t;
  static constexpr std::size_t N_LANES = N;
};

// Vectors go by reference: a vector wider than the baseline's would change the calling
// convention of a function that is not inlined.
template <class VD>
[[gnu::always_inline]] inline void Load(VD& v, const double* p) {
  std::memcpy(&v, p, sizeof v);
}

template <class VD>
[[gnu::always_inline]] inline void Splat(VD& v, double x) {
  v = VD{} + x;  // a scalar spreads over the lanes
}

template <class VL>
[[gnu::always_inline]] inline std::uint64_t Sum(const VL& a) {
  std::int64_t s = 0;
  for (std::size_t i = 0; i < sizeof a / sizeof s; ++i) s += a[i];
  return static_cast<std::uint64_t>(s);
}

struct TEnds {
  std::uint64_t nAtLeast = 0;  // values at or above -DBL_MAX: finite or +infinity
  std::uint64_t nPosInf = 0;   // values above DBL_MAX
};

// Adds to above[k] the values of p[0 ... n-1] above ranks[k] for k < K (n a multiple of the
// lanes), and with ENDS what the finite test needs. A comparison gives -1 for true.
template <class L, std::size_t K, bool ENDS>
[[gnu::always_inline]] inline void CountChunk(const double* p, std::size_t n, const double* ranks,
                                              std::uint64_t* above, TEnds& ends) {
  typename L::VD r[K + 1], v, lowest, highest;  // one more: K may be 0
  for (std::size_t k = 0; k < K; ++k) Splat(r[k], ranks[k]);
  Splat(lowest, -DBL_MAX);
  Splat(highest, DBL_MAX);
  typename L::VL acc[K + 1] = {}, atLeast = {}, posInf = {};
  for (std::size_t i = 0; i < n; i += L::N_LANES) {
    Load(v, p + i);
#pragma GCC unroll 16
    for (std::size_t k = 0; k < K; ++k) acc[k] -= v > r[k];
    if constexpr (ENDS) {
      // The next block comes in while this one is counted: the streams of the processor's own
      // prefetcher stop at page ends and fall behind.
      if (i % N_LINE == 0) __builtin_prefetch(p + i + N_BLOCK);
      atLeast -= v >= lowest;
      posInf -= v > highest;
    }
  }
  for (std::size_t k = 0; k < K; ++k) above[k] += Sum(acc[k]);
  ends.nAtLeast += Sum(atLeast);
  ends.nPosInf += Sum(posInf);
}

template <class L, bool ENDS, std::size_t... K>
[[gnu::always_inline]] inline void CountChunkOf(std::size_t k, const double* p, std::size_t n,
                                                const double* ranks, std::uint64_t* above,
                                                TEnds& ends, std::index_sequence<K...>) {
  ((k == K ? CountChunk<L, K, ENDS>(p, n, ranks, above, ends) : void()), ...);
}

// One block: the first pass takes the finite test along.
template <class L>
[[gnu::always_inline]] inline void CountBlock(const double* p, std::size_t n,
                                              std::span<const double> ranks,
                                              std::span<std::uint64_t> above, TEnds& ends) {
  constexpr auto kChunks = std::make_index_sequence<N_CHUNK + 1>();
  std::size_t j = 0;
  do {
    const std::size_t k = std::min(N_CHUNK, ranks.size() - j);
    if (j == 0)
      CountChunkOf<L, true>(k, p, n, ranks.data(), above.data(), ends, kChunks);
    else
      CountChunkOf<L, false>(k, p, n, ranks.data() + j, above.data() + j, ends, kChunks);
    j += k;
  } while (j < ranks.size());
}

template <class L>
[[gnu::always_inline]] inline TAboveCounts CountAll(std::span<const double> values,
                                                    std::span<const double> ranks,
                                                    std::span<std::uint64_t> above) {
  const std::size_t whole = values.size() - values.size() % L::N_LANES;
  TEnds ends;
  for (std::size_t b = 0; b < whole; b += N_BLOCK)
    CountBlock<L>(values.data() + b, std::min(N_BLOCK, whole - b), ranks, above, ends);
  TAboveCounts counts{whole - (ends.nAtLeast - ends.nPosInf), ends.nPosInf};
  for (const double v : values.subspan(whole)) {
    counts.nNonFinite += !std::isfinite(v);
    counts.nPosInf += v == INFINITY;
    for (std::size_t j = 0; j < ranks.size(); ++j) above[j] += v > ranks[j];
  }
  return counts;
}

[[gnu::target("avx2")]] TAboveCounts CountAboveAvx2(std::span<const double> values,
                                                    std::span<const double> ranks,
                                                    std::span<std::uint64_t> above) {
  return CountAll<TLanes<4>>(values, ranks, above);
}

TAboveCounts CountAboveBaseline(std::span<const double> values, std::span<const double> ranks,
                                std::span<std::uint64_t> above) {
  return CountAll<TLanes<2>>(values, ranks, above);
}

}  // namespace

TAboveCounts CountAbove(std::span<const double> values, std::span<const double> ranks,
                        std::span<std::uint64_t> above, bool baseline) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return avx2 && !baseline ? CountAboveAvx2(values, ranks, above)
                           : CountAboveBaseline(values, ranks, above);
}

}  // namespace pvk::legend
