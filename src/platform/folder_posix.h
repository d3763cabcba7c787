// Name lookup and readable files shared by the POSIX folder, process and
// path files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/path_files.h"

namespace torsova {

// A file read through `fd`, which it owns and closes; it never reads past
// `length`, so a file that keeps growing still ends.
std::unique_ptr<PathFile> MakeReadableFile(int fd, std::uint64_t length);

// How a written file is closed: ::close, whose failure is a failed write (a
// network folder or a quota may report a lost write only there). Tests put a
// failing close here to reach that path.
extern int (*close_written_file)(int fd);

// The spelling under which `name` exists in folder `dir`, matched without
// regard to ASCII letter case; nothing when no entry matches.
std::optional<std::string> FindInFolder(const std::string& dir, const std::string& name);

}  // namespace torsova
