// Gyrovex.exe for the tests: a stand-in for the viewer that records how it was
// started. It writes "viewer-report" into its current folder: the number of
// arguments it got, its process id and the names the folder held when it
// started, one to a line. Then it ends with status 42. While a file
// "viewer-hold" is in the folder it waits (at most 30 seconds) before writing.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> FolderListing() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

int main(int argc, char**) {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return 1;
  const std::vector<std::string> listing = FolderListing();
  for (int waited = 0;
       waited < 3000 && GetFileAttributesA("viewer-hold") != INVALID_FILE_ATTRIBUTES; ++waited) {
    Sleep(10);
  }

  // Leave the folder, so that the test can remove it as soon as this ends.
  char temp[MAX_PATH + 1] = {};
  if (GetTempPathA(sizeof temp, temp) != 0) SetCurrentDirectoryA(temp);

  const std::string report = std::string(folder) + "\\viewer-report";
  {
    std::ofstream out(report + ".tmp", std::ios::binary | std::ios::trunc);
    out << (argc - 1) << "\n" << GetCurrentProcessId() << "\n";
    for (const std::string& name : listing) out << name << "\n";
    if (!out.flush()) return 1;
  }
  // Renamed when complete, so that the report never appears half written.
  if (!MoveFileExA((report + ".tmp").c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
  return 42;
}
