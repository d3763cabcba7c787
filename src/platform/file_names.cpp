#include "platform/file_names.h"

namespace torsova {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::optional<std::string> PickEntry(std::string_view wanted,
                                     const std::vector<std::string>& entries) {
  std::optional<std::string> best;
  for (const std::string& entry : entries) {
    if (entry == wanted) return entry;
    if (SameNameIgnoringCase(entry, wanted) && (!best || entry < *best)) best = entry;
  }
  return best;
}

}  // namespace torsova
