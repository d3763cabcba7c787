#include "form/findings.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "form/sheet_rows.h"

namespace torsova::form {
namespace {

auto OrderKey(const Finding& finding) {
  constexpr std::uint64_t kLast = std::numeric_limits<std::uint64_t>::max();
  const bool first = finding.kind == FindingKind::kSeparators;
  const std::uint64_t row = first ? 0 : finding.row == 0 ? kLast : finding.row;
  // A whole row comes before its first cell.
  const std::size_t column = finding.column ? *finding.column + 1 : 0;
  return std::make_tuple(row, column);
}

}  // namespace

void SortInFormOrder(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return OrderKey(a) < OrderKey(b); });
}

std::string FindingLine(const std::string& file, const Finding& finding) {
  std::string place;
  if (finding.row > 0) {
    place = finding.column ? CellName(finding.row, *finding.column) : std::to_string(finding.row);
    place += ":";
  }
  return file + ":" + place + " " + finding.what;
}

}  // namespace torsova::form
