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
    case ERROR_PIPE_BUSY:
    case ERROR_NO_DATA:
      return "no program is reading from it";
    case ERROR_FILENAME_EXCED_RANGE:
      return "the name is too long";
    default:
      return "system error " + std::to_string(error);
  }
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The one temporary file Ctrl-C, Ctrl-Break or a closed console removes. The
// handler runs on a thread of its own; the lock keeps a rename and a removal
// apart, and is kept by the handler while the process ends.
CRITICAL_SECTION removal_lock;
std::wstring removal_path;
bool removal_armed = false;

BOOL WINAPI RemoveOnInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  EnterCriticalSection(&removal_lock);
  if (removal_armed) DeleteFileW(removal_path.c_str());
  return FALSE;  // on to the default handler, which ends the process
}

void ArmRemoval(const std::wstring& path) {
  static const bool installed = [] {
    InitializeCriticalSection(&removal_lock);
    return SetConsoleCtrlHandler(RemoveOnInterrupt, TRUE) != 0;
  }();
  static_cast<void>(installed);
  EnterCriticalSection(&removal_lock);
  removal_path = path;
  removal_armed = true;
  LeaveCriticalSection(&removal_lock);
}

bool WriteAllTo(HANDLE handle, std::string_view bytes, DWORD& error) {
  constexpr DWORD kMaxWrite = 1 << 20;
  while (error == 0 && !bytes.empty()) {
    const DWORD size = bytes.size() > kMaxWrite ? kMaxWrite : static_cast<DWORD>(bytes.size());
    DWORD put = 0;
    if (!WriteFile(handle, bytes.data(), size, &put, nullptr) || put == 0) {
      error = put == 0 && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : GetLastError();
      break;
    }
    bytes.remove_prefix(put);
  }
  return error == 0;
}

// A temporary file put in place of the target at Commit.
class ReplacingOutput final : public NamedOutput {
 public:
  ReplacingOutput(HANDLE handle, std::wstring temporary, std::wstring target)
      : handle_(handle), temporary_(std::move(temporary)), target_(std::move(target)) {}
  ReplacingOutput(const ReplacingOutput&) = delete;
  ReplacingOutput& operator=(const ReplacingOutput&) = delete;

  ~ReplacingOutput() override {
    EnterCriticalSection(&removal_lock);
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!committed_) DeleteFileW(temporary_.c_str());
    removal_armed = false;
    LeaveCriticalSection(&removal_lock);
  }

  bool Write(std::string_view bytes) override { return WriteAllTo(handle_, bytes, error_); }

  bool Commit(std::string& reason) override {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (error_ == 0 && !FlushFileBuffers(handle)) error_ = GetLastError();
    if (!CloseHandle(handle) && error_ == 0) error_ = GetLastError();
    if (error_ == 0) {
      EnterCriticalSection(&removal_lock);
      // The replaced file's attributes (hidden, not indexed, ...) stay, as a
      // POSIX replacement keeps the mode; its access rights are the folder's.
      const DWORD attributes = GetFileAttributesW(target_.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(temporary_.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
      }
      const bool replaced = MoveFileExW(temporary_.c_str(), target_.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
      if (replaced) {
        committed_ = true;
        removal_armed = false;
      } else {
        error_ = GetLastError();
      }
      LeaveCriticalSection(&removal_lock);
    }
    if (error_ != 0) {
      reason = WriteFailureReason(error_);
      return false;
    }
    return true;
  }

 private:
  HANDLE handle_;
  std::wstring temporary_;
  std::wstring target_;
  DWORD error_ = 0;
  bool committed_ = false;
};

// A device (NUL, CON, a port) or a pipe, written as it comes.
class StraightOutput final : public NamedOutput {
 public:
  explicit StraightOutput(HANDLE handle) : handle_(handle) {}
  StraightOutput(const StraightOutput&) = delete;
  StraightOutput& operator=(const StraightOutput&) = delete;
  ~StraightOutput() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  bool Write(std::string_view bytes) override { return WriteAllTo(handle_, bytes, error_); }

  bool Commit(std::string& reason) override {
    if (!CloseHandle(handle_) && error_ == 0) error_ = GetLastError();
    handle_ = INVALID_HANDLE_VALUE;
    if (error_ == 0) return true;
    reason = WriteFailureReason(error_);
    return false;
  }

 private:
  HANDLE handle_;
  DWORD error_ = 0;
};

// The file a symbolic link names, so that it is replaced and the link stays.
std::wstring FollowLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  HANDLE handle = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return path;
  std::vector<wchar_t> final_path(32768);
  const DWORD length =
      GetFinalPathNameByHandleW(handle, final_path.data(), static_cast<DWORD>(final_path.size()),
                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(handle);
  if (length == 0 || length >= final_path.size()) return path;
  return std::wstring(final_path.data(), length);
}

FileIdentity IdentityOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION information;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
      !GetFileInformationByHandle(handle, &information)) {
    return FileIdentity{};
  }
  return FileIdentity{
      true, information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

}  // namespace

FileIdentity IdentityOf(const std::string& path) {
  HANDLE handle = CreateFileW(WideFromUtf8(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const FileIdentity identity = IdentityOfHandle(handle);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return identity;
}

FileIdentity StandardOutputIdentity() { return IdentityOfHandle(GetStdHandle(STD_OUTPUT_HANDLE)); }

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

std::unique_ptr<NamedOutput> OpenNamedOutput(const std::string& path, std::string& reason) {
  const std::wstring wide = WideFromUtf8(path);
  if (IsFolder(wide)) {
    reason = "it is a folder";
    return nullptr;
  }
  // Opened as it is, never created or emptied: only to see whether it is a
  // device or a pipe, which gets the bytes straight.
  HANDLE existing = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    if (GetFileType(existing) != FILE_TYPE_DISK) return std::make_unique<StraightOutput>(existing);
    CloseHandle(existing);
  }
  const std::wstring target = FollowLink(wide);
  const std::string target_utf8 = Utf8FromWide(target);
  for (int attempt = 0;; ++attempt) {
    // 255 UTF-16 units at most; a UTF-8 name is never shorter in bytes.
    std::wstring temporary =
        WideFromUtf8(TemporaryPathBeside(target_utf8, GetCurrentProcessId(), attempt, 255));
    // Shared for deletion, so that an interrupt can remove it while it is open.
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      ArmRemoval(temporary);
      return std::make_unique<ReplacingOutput>(handle, std::move(temporary), target);
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
