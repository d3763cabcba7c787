// Name lookup shared by the POSIX folder and process.
#pragma once

#include <optional>
#include <string>

namespace torsova {

// The spelling under which `name` exists in folder `dir`, matched without
// regard to ASCII letter case; nothing when no entry matches.
std::optional<std::string> FindInFolder(const std::string& dir, const std::string& name);

}  // namespace torsova
