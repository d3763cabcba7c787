#include "support/accepted_form.h"

#include <gtest/gtest.h>

#include <memory>

#include "landmarks/landmark_set.h"
#include "textio/output_channel.h"

namespace torsova::testing {

std::string MakeForm(const std::string& title, const std::vector<std::string>& rows) {
  std::string form = title + "\r\nLabel,X,Y,Z\r\n";
  for (const std::string& row : rows) form += row + "\r\n";
  return form;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "no CR LF after: " << bytes.substr(start);
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void PrepareAcceptedForm(FakeRun& run, const std::string& form) {
  run.scratch.Write("BodyXYZ.CSV", form);
  const std::vector<std::string> lines = SplitLines(form);
  RunState& state = run.state;
  state.FormTitle.clear();
  if (!lines.empty()) {
    for (char c : lines[0]) {
      if (c != ',') state.FormTitle += c;
    }
  }
  state.DataRowCount = lines.size() < 2 ? 0 : lines.size() - 2;
  state.FormLabels.clear();
  state.PresenceFlags = {};
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::string label = lines[i].substr(0, lines[i].find(','));
    state.FormLabels.push_back(label);
    if (std::optional<std::size_t> position = LandmarkPosition(label)) {
      state.PresenceFlags[*position - 1] = true;
    }
  }
  state.landmark_table = std::make_unique<OutputChannel>(*run.folder, "Work2.CSV");
}

}  // namespace torsova::testing
