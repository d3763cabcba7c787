#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_names.h"
#include "platform/folder_windows.h"
#include "platform/path_files.h"
#include "platform/wide_text_windows.h"

namespace torsova {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The reasons shown for a file that cannot be written, the same words on
// every system.
std::string WriteFailureReason(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "permission denied";
    case ERROR_WRITE_PROTECT:
      return "the file system is read-only";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
      return "no such folder";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "the disk is full";
    default:
      return "system error " + std::to_string(error);
  }
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class WindowsAtomicOutput final : public AtomicOutput {
 public:
  WindowsAtomicOutput(HANDLE handle, std::wstring temporary, std::wstring target)
      : handle_(handle), temporary_(std::move(temporary)), target_(std::move(target)) {}
  WindowsAtomicOutput(const WindowsAtomicOutput&) = delete;
  WindowsAtomicOutput& operator=(const WindowsAtomicOutput&) = delete;

  ~WindowsAtomicOutput() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!committed_) DeleteFileW(temporary_.c_str());
  }

  bool Write(std::string_view bytes) override {
    while (error_ == 0 && !bytes.empty()) {
      const DWORD size = bytes.size() > kMaxWrite ? kMaxWrite : static_cast<DWORD>(bytes.size());
      DWORD put = 0;
      if (!WriteFile(handle_, bytes.data(), size, &put, nullptr) || put == 0) {
        error_ = put == 0 && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : GetLastError();
        break;
      }
      bytes.remove_prefix(put);
    }
    return error_ == 0;
  }

  bool Commit(std::string& reason) override {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (error_ == 0 && !FlushFileBuffers(handle)) error_ = GetLastError();
    if (!CloseHandle(handle) && error_ == 0) error_ = GetLastError();
    if (error_ == 0) {
      if (IsFolder(target_)) {
        reason = "it is a folder";
        return false;
      }
      if (!MoveFileExW(temporary_.c_str(), target_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error_ = GetLastError();
      }
    }
    if (error_ != 0) {
      reason = WriteFailureReason(error_);
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  static constexpr DWORD kMaxWrite = 1 << 20;

  HANDLE handle_;
  std::wstring temporary_;
  std::wstring target_;
  DWORD error_ = 0;
  bool committed_ = false;
};

}  // namespace

OpenedPath OpenPathForReading(const std::string& path) {
  OpenedPath opened;
  const std::wstring wide = WideFromUtf8(path);
  // A folder cannot be opened without backup semantics; tell it apart first.
  if (IsFolder(wide)) {
    opened.failure = OpenFailure::kFolder;
    return opened;
  }
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    opened.failure = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_INVALID_NAME
                         ? OpenFailure::kMissing
                     : error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION
                         ? OpenFailure::kDenied
                         : OpenFailure::kOther;
    return opened;
  }
  LARGE_INTEGER size;
  // A device (NUL, CON, a port) or a pipe is no figure and is never waited on.
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
    CloseHandle(handle);
    opened.failure = OpenFailure::kNotRegular;
    return opened;
  }
  opened.file = MakeReadableFile(handle, static_cast<std::uint64_t>(size.QuadPart));
  return opened;
}

std::unique_ptr<AtomicOutput> CreateAtomicOutput(const std::string& path, std::string& reason) {
  for (int attempt = 0;; ++attempt) {
    std::wstring temporary =
        WideFromUtf8(TemporaryPathBeside(path, GetCurrentProcessId(), attempt));
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      return std::make_unique<WindowsAtomicOutput>(handle, std::move(temporary),
                                                   WideFromUtf8(path));
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) {
      reason = WriteFailureReason(error);
      return nullptr;
    }
  }
}

std::size_t FileNameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\:");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

std::optional<std::string> FindInCurrentFolder(const std::string& name) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"*", &entry);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<std::string> variants;
  do {
    std::string entry_name = Utf8FromWide(entry.cFileName);
    if (SameNameIgnoringCase(entry_name, name)) variants.push_back(std::move(entry_name));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return PickEntry(name, variants);
}

}  // namespace torsova
