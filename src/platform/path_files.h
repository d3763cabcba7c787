// Files named by a path as a user gives it on a command line, not looked up
// in a folder: opened with a reason when they cannot be, read with read
// errors told apart from the end, and written whole or not at all. Paths are
// UTF-8 on every system.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Why a file could not be opened, in words that follow its name; `kind` is
// what it should have been.
//   (kMissing, "a form") -> "no such file"    (kFolder, "a form") -> "is a folder, not a form"
std::string OpenFailureText(OpenFailure failure, std::string_view kind);

// Which file a path names, links followed: two spellings, a hard link or a
// symbolic link of one file have the same identity (device and inode; on
// Windows the volume's serial number and the file index).
struct FileIdentity {
  bool known = false;  // false when no file is there or it cannot be looked at
  std::uint64_t device = 0;
  std::uint64_t index = 0;
};

FileIdentity IdentityOf(const std::string& path);
FileIdentity StandardOutputIdentity();

// Yes when both are known and the same file.
inline bool SameFile(const FileIdentity& a, const FileIdentity& b) {
  return a.known && b.known && a.device == b.device && a.index == b.index;
}

// Where the bytes for an output named by a path go. A regular file, or one
// that does not exist yet, is replaced whole or not at all: the bytes go to a
// temporary file beside it (beside the file a symbolic link names; the link
// stays), which Commit renames onto it, keeping the mode of the file replaced.
// An interrupt (SIGINT, SIGTERM, SIGHUP; Ctrl-C, Ctrl-Break, a closed console)
// removes the temporary file. Anything else (a device, a FIFO, a terminal) is
// written straight, in order, as a shell's ">" does; a FIFO needs its reader
// already there, so that no run waits forever. Destroyed without a successful
// Commit, it removes the temporary file and leaves the target as it was.
class NamedOutput {
 public:
  virtual ~NamedOutput() = default;

  // False when not all of the bytes reached the file; Commit then fails.
  virtual bool Write(std::string_view bytes) = 0;

  // Finishes the file (and puts it in place of the target). False, with a
  // reason such as "permission denied" or "the disk is full", when
  // anything written was lost or the file could not be finished or put in
  // place.
  virtual bool Commit(std::string& reason) = 0;
};

// Null, with a reason, when the output cannot be opened or created.
std::unique_ptr<NamedOutput> OpenNamedOutput(const std::string& path, std::string& reason);

// The temporary file for `path` of this process's `attempt`: hidden beside
// the target, so that the rename stays within one folder. Its name is cut
// (at a character's start) to stay within `name_limit` bytes.
//   ("out/3D_BODY.html", 42, 0, 255) -> "out/.3D_BODY.html.42.0.tmp"
//   ("out/3D_BODY.html", 42, 0, 20) -> "out/.3D_BODY.ht.42.0.tmp"
std::string TemporaryPathBeside(const std::string& path, unsigned long process, int attempt,
                                std::size_t name_limit);

// Where the file name begins in `path`: after the last "/" (on Windows also
// after the last "\" or a drive's ":").
std::size_t FileNameStart(std::string_view path);

// The spelling under which `name` exists in the current folder, matched
// without regard to ASCII letter case (an exact spelling wins); nothing when
// no entry matches.
std::optional<std::string> FindInCurrentFolder(const std::string& name);

}  // namespace torsova
