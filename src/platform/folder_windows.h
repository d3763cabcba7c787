// Readable files shared by the Windows folder and path files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/path_files.h"

namespace torsova {

// A file read through `handle`, which it owns and closes; it never reads past
// `length`, so a file that keeps growing still ends.
std::unique_ptr<PathFile> MakeReadableFile(HANDLE handle, std::uint64_t length);

}  // namespace torsova
