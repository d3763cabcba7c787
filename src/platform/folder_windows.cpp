#include "platform/folder_windows.h"

#include "platform/platform.h"

namespace torsova {
namespace {

// Other openers may read, write and delete a file while the run holds it, as on
// POSIX systems: a table open for reading can still be deleted.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class WindowsReadableFile final : public PathFile {
 public:
  WindowsReadableFile(HANDLE handle, std::uint64_t length) : handle_(handle), length_(length) {}
  ~WindowsReadableFile() override { CloseHandle(handle_); }
  WindowsReadableFile(const WindowsReadableFile&) = delete;
  WindowsReadableFile& operator=(const WindowsReadableFile&) = delete;

  std::uint64_t Length() const override { return length_; }
  bool ReadFailed() const override { return failed_; }

  // Never reads past the length measured at opening, so a file that keeps
  // growing still ends, and a device is never read at all.
  std::size_t Read(char* buffer, std::size_t size) override {
    if (failed_ || position_ >= length_) return 0;
    if (size > length_ - position_) size = static_cast<std::size_t>(length_ - position_);
    if (size > kMaxRead) size = kMaxRead;
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr) || got == 0) {
      failed_ = true;  // an error of the medium, or a file that shrank
      return 0;
    }
    position_ += got;
    return got;
  }

 private:
  static constexpr std::size_t kMaxRead = 1 << 20;

  HANDLE handle_;
  std::uint64_t length_;
  std::uint64_t position_ = 0;
  bool failed_ = false;
};

class WindowsWritableFile final : public WritableFile {
 public:
  explicit WindowsWritableFile(HANDLE handle) : handle_(handle) {}
  ~WindowsWritableFile() override { Close(); }
  WindowsWritableFile(const WindowsWritableFile&) = delete;
  WindowsWritableFile& operator=(const WindowsWritableFile&) = delete;

  bool Write(std::string_view bytes) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    while (!bytes.empty()) {
      const DWORD size = bytes.size() > kMaxWrite ? kMaxWrite : static_cast<DWORD>(bytes.size());
      DWORD put = 0;
      if (!WriteFile(handle_, bytes.data(), size, &put, nullptr) || put == 0) return false;
      bytes.remove_prefix(put);
    }
    return true;
  }

  bool Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  static constexpr DWORD kMaxWrite = 1 << 20;

  HANDLE handle_;
};

// The file system matches names without regard to letter case, so a name finds
// its case variant, and a file written replaces it, keeping its spelling.
class WindowsFolder final : public Folder {
 public:
  explicit WindowsFolder(std::string dir) : dir_(std::move(dir)) {}

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override {
    // Without backup semantics a folder cannot be opened, which is what we want.
    HANDLE handle = CreateFileA(PathOf(name).c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    // Only a file on disk has content; a device (NUL, CON, a port) or a pipe
    // reads as empty and is never waited on.
    std::uint64_t length = 0;
    LARGE_INTEGER size;
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size) &&
        size.QuadPart > 0) {
      length = static_cast<std::uint64_t>(size.QuadPart);
    }
    return MakeReadableFile(handle, length);
  }

  std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) override {
    HANDLE handle = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WindowsWritableFile>(handle);
  }

  bool Delete(const std::string& name) override { return DeleteFileA(PathOf(name).c_str()) != 0; }

 private:
  std::string PathOf(const std::string& name) const { return dir_ + "\\" + name; }

  std::string dir_;
};

}  // namespace

std::unique_ptr<PathFile> MakeReadableFile(HANDLE handle, std::uint64_t length) {
  return std::make_unique<WindowsReadableFile>(handle, length);
}

std::unique_ptr<Folder> MakeSystemFolder(const std::string& path) {
  return std::make_unique<WindowsFolder>(path);
}

}  // namespace torsova
