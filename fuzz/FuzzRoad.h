#pragma once
// The road of one result file as a host takes it: a session and a post file manager, the
// file added with the model database built from its own records, then the values of every
// result of every step loaded, both in the stored coordinate systems and converted.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace pvk_fuzz {

// A road input is the result file's bytes, optionally followed by this line and the text of
// the solver output beside it.
inline constexpr std::string_view kOutSeparator = "\nPVK-FUZZ-OUT\n";

// Loads per input, so that an input whose steps hold many results stays quick.
inline constexpr std::size_t kMaxLoads = 256;

// What loaded: result id and location type.
using TLoadedSet = std::set<std::pair<std::int32_t, std::int32_t>>;

// Adds `path` (a name the file manager takes) and loads; the results whose values loaded go
// to `pLoaded` when given. The number of loads tried.
std::size_t RunRoad(const std::string& path, TLoadedSet* pLoaded);

// A road input written into the input folder as a result file and its text output (none when
// the input has no separator), then RunRoad.
std::size_t RunRoadInput(const std::uint8_t* data, std::size_t size, TLoadedSet* pLoaded);

}  // namespace pvk_fuzz
