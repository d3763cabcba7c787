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

const std::vector<std::string>& ExampleRows() {
  static const std::vector<std::string> rows = {
      "CRAN,0.0,1.5,172.4",  "RSHO,-19.8,0.5,145.2", "RELB,-24.6,2.1,113.7", "RWRI,-26.3,4.8,86.9",
      "RFNG,-27.1,6.2,68.4", "LSHO,20.1,0.7,145.6",  "LELB,25.0,2.4,114.1",  "LWRI,26.8,5.0,87.3",
      "LFNG,27.5,6.5,68.9",  "RPEL,-12.4,2.8,98.5",  "RKNE,-10.1,4.3,52.6",  "RANK,-9.2,0.2,8.1",
      "RTOE,-10.5,18.9,1.2", "LPEL,12.6,3.0,98.8",   "LKNE,10.4,4.6,52.9",   "LANK,9.5,0.4,8.3",
      "LTOE,10.8,19.2,1.4",  "TAIL,0.0,-6.5,92.0"};
  return rows;
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
