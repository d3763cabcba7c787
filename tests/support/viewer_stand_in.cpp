#include "support/viewer_stand_in.h"

#include <algorithm>
#include <sstream>

namespace torsova::testing {

std::optional<ViewerReport> ParseViewerReport(const std::string& text, unsigned long* process_id) {
  std::istringstream lines(text);
  ViewerReport report;
  unsigned long id = 0;
  if (!(lines >> report.arguments >> id)) return std::nullopt;
  if (process_id != nullptr) *process_id = id;
  std::string name;
  std::getline(lines, name);  // the rest of the process id's line
  while (std::getline(lines, name)) {
    if (!name.empty()) report.listing.push_back(name);
  }
  std::sort(report.listing.begin(), report.listing.end());
  return report;
}

}  // namespace torsova::testing
