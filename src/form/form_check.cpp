#include "form/form_check.h"

#include <future>

#include "form/convert_form.h"
#include "form/form_reading.h"
#include "form/landmark_tally.h"

namespace torsova::form {
namespace {

std::string Counted(std::size_t count, std::string_view thing) {
  return (count == 0 ? std::string("no") : std::to_string(count)) + " " + std::string(thing) +
         (count == 1 ? "" : "s");
}

std::string VerdictLine(const FormCheck& check) {
  const TorsovaVerdict& verdict = check.verdict;
  if (!verdict.accepted) return "torsova refuses this form: \"" + verdict.page_line + "\"";
  std::size_t warnings = 0;
  for (const Finding& finding : check.findings) warnings += finding.kind != FindingKind::kFault;
  std::string missing;
  for (std::size_t i = 0; i < kLandmarkCount; ++i) {
    if (verdict.present[i]) continue;
    missing += (missing.empty() ? "" : ", ") + std::string(LandmarkSet[i]) + " " +
               std::string(LandmarkNames[i]);
  }
  return "torsova accepts this form, with " + Counted(warnings, "warning") + "; " +
         (missing.empty() ? "every landmark is in the form" : "not in the form: " + missing);
}

// The text with each control character but the tab as \xHH.
std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7f) {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xf];
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

void FindInForm(std::string_view form, std::vector<Finding>& findings) {
  LandmarkTally tally;
  ReadForm(form, findings, [&](const FormRow& row) { tally.Add(row); });
  tally.Finish(findings);
}

FormCheck CheckForm(std::string_view form) {
  // torsova's run and the findings read the same bytes and share nothing else:
  // the run goes on in a thread of its own while the findings are made.
  std::future<TorsovaVerdict> verdict =
      std::async(std::launch::async, [form] { return RunTorsovaOn(form); });
  FormCheck check;
  // Only a form with a quote or other separators can have anything to convert.
  Conversion conversion;
  if (SeparatorOf(form) != ',' || form.find('"') != std::string_view::npos) {
    conversion = ConvertForm(form);
  }
  if (conversion.OtherSeparators() && !conversion.separators_mixed) {
    std::string reads = conversion.separator != ',' ? "commas" : "";
    if (conversion.decimal_commas)
      reads += std::string(reads.empty() ? "" : " and ") + "decimal points";
    check.findings.push_back({FindingKind::kSeparators, 0, std::nullopt,
                              "saved with " + conversion.SavedWith() + "; torsova reads " + reads +
                                  ": `torsova-form convert` writes a copy it can read"});
    if (conversion.converted) {
      FindInForm(conversion.form, check.findings);
    } else {
      check.findings.push_back(
          {FindingKind::kWarning, conversion.refused_row, std::nullopt,
           "torsova-form convert cannot copy this form: " + conversion.refusal});
    }
  } else {
    FindInForm(form, check.findings);
  }
  SortInFormOrder(check.findings);
  check.verdict = verdict.get();
  return check;
}

std::string CheckText(const std::string& file, const FormCheck& check) {
  std::string text;
  for (const Finding& finding : check.findings)
    text += Printable(FindingLine(file, finding)) + "\n";
  return text + Printable(VerdictLine(check)) + "\n";
}

}  // namespace torsova::form
