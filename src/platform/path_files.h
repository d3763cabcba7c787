// Files named by a path as a user gives it on a command line, not looked up
// in a folder: opened with a reason when they cannot be, read with read
// errors told apart from the end, and written whole or not at all. Paths are
// UTF-8 on every system.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace torsova {

// A file open for reading that tells a failed read from the end.
class PathFile : public ReadableFile {
 public:
  // Yes once a read failed: an error of the medium, or a file that shrank
  // below the length measured at opening.
  virtual bool ReadFailed() const = 0;
};

enum class OpenFailure { kNone, kMissing, kFolder, kNotRegular, kDenied, kOther };

struct OpenedPath {
  std::unique_ptr<PathFile> file;  // null when `failure` says why
  OpenFailure failure = OpenFailure::kNone;
};

// Opens the regular file at `path`, as given (no letter-case lookup). A
// folder, a device or a pipe is refused without waiting on it.
OpenedPath OpenPathForReading(const std::string& path);

// An output that appears whole or not at all: the bytes go to a new
// temporary file in the target's folder, which Commit renames onto the
// target. Destroyed without a successful Commit, it removes the temporary
// file and leaves the target as it was.
class AtomicOutput {
 public:
  virtual ~AtomicOutput() = default;

  // False when not all of the bytes reached the file; Commit then fails.
  virtual bool Write(std::string_view bytes) = 0;

  // Finishes the file and puts it in place of the target. False, with a
  // reason such as "permission denied" or "the disk is full", when anything
  // written was lost or the file could not be finished or put in place.
  virtual bool Commit(std::string& reason) = 0;
};

// Null, with a reason, when the temporary file cannot be created.
std::unique_ptr<AtomicOutput> CreateAtomicOutput(const std::string& path, std::string& reason);

// The temporary file for `path` of this process's `attempt`: hidden beside
// the target, so that the rename stays within one folder.
//   ("out/3D_BODY.html", 42, 0) -> "out/.3D_BODY.html.42.0.tmp"
std::string TemporaryPathBeside(const std::string& path, unsigned long process, int attempt);

// Where the file name begins in `path`: after the last "/" (on Windows also
// after the last "\" or a drive's ":").
std::size_t FileNameStart(std::string_view path);

// The spelling under which `name` exists in the current folder, matched
// without regard to ASCII letter case (an exact spelling wins); nothing when
// no entry matches.
std::optional<std::string> FindInCurrentFolder(const std::string& name);

}  // namespace torsova
