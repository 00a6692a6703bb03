#pragma once
// Source positions that messages and the scan's profiling line name. They are fixed values,
// not lines of this code: they belong to the message texts that hosts and log readers already
// match ("in PZARFileCompositeAPI at line 45"), so they must not follow edits here.
namespace pzar_site {

struct TSourceSite {
  const char* szUnit;
  int nLine;
};

inline constexpr TSourceSite kScanProfile{"PZARFile", 244};
inline constexpr TSourceSite kPreDBMatchFailed{"IPZARFileImportHelper", 369};
inline constexpr TSourceSite kPlyInfoMissing{"PZARFileCompositeAPI", 45};

}  // namespace pzar_site
