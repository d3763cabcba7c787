// Matching the names of a folder without regard to ASCII letter case, so that
// "Work2.CSV" and "Work2.csv" are one file on every file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torsova {

// True when the two names differ at most in the letter case of A-Z / a-z.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// Picks the entry of `entries` that `wanted` names: the exact spelling when it
// is there, otherwise the case variant that comes first in byte order, and
// nothing when no entry matches.
std::optional<std::string> PickEntry(std::string_view wanted,
                                     const std::vector<std::string>& entries);

}  // namespace torsova
