// Stage tests past the intake: a form written to the scratch folder and the
// RunState as the two intake stages leave it for that form.
#pragma once

#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace torsova::testing {

// A form: `title`, the heading line, then each row, every line ended by CR LF.
std::string MakeForm(const std::string& title, const std::vector<std::string>& rows);

// The 18 data rows of the example form, every landmark once, in set order.
const std::vector<std::string>& ExampleRows();

// Writes `form` as "BodyXYZ.CSV" and sets FormTitle, DataRowCount, FormLabels
// and PresenceFlags from it, with "Work2.CSV" created empty and left open.
// The form must be plain: no quotes, no blank cells, four cells a row.
void PrepareAcceptedForm(FakeRun& run, const std::string& form);

// The lines of `bytes`, each of which must end with CR LF.
std::vector<std::string> SplitLines(const std::string& bytes);

}  // namespace torsova::testing
