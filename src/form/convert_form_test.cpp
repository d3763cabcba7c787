#include "form/convert_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace torsova::form {
namespace {

// `form` with each cell, the title's included, in double quotes.
std::string Quoted(const std::string& form, char separator) {
  std::string quoted = "\"";
  for (std::size_t i = 0; i < form.size(); ++i) {
    const char c = form[i];
    if (c == separator) {
      quoted += "\"" + std::string(1, c) + "\"";
    } else if (c == '\r') {
      quoted += "\"\r\n";
      if (i + 2 < form.size()) quoted += "\"";
      ++i;
    } else {
      quoted += c;
    }
  }
  return quoted;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The example, in what several spreadsheets would save it as.
std::string Europe() {
  std::string europe = testing::ExampleForm();
  for (char& c : europe) c = c == ',' ? ';' : c == '.' ? ',' : c;
  return europe;
}

TEST(ConvertFormTest, EverySpreadsheetsSavingBecomesTheExampleByteForByte) {
  const std::string example = testing::ExampleForm();
  std::string tabs = Replaced(example, ",", "\t");
  const std::vector<std::pair<std::string, std::string>> savings = {
      {"semicolons and decimal commas", Europe()},
      {"tabs", tabs},
      {"tabs and decimal commas", Replaced(tabs, ".", ",")},
      {"quoted cells", Quoted(example, ',')},
      {"a byte-order mark", "\xEF\xBB\xBF" + example},
      {"LF line ends", Replaced(example, "\r\n", "\n")},
      {"all at once", "\xEF\xBB\xBF" + Replaced(Quoted(Europe(), ';'), "\r\n", "\n")},
      {"the example itself", example},
  };
  for (const auto& [what, saved] : savings) {
    const Conversion conversion = ConvertForm(saved);
    EXPECT_TRUE(conversion.converted) << what << ": " << conversion.refusal;
    EXPECT_EQ(conversion.form, example) << what;
  }
  const Conversion europe = ConvertForm(Europe());
  EXPECT_EQ(europe.Changes(), "semicolons and decimal commas replaced");
  EXPECT_EQ(ConvertForm(example).Changes(), "nothing to change");
}

// A cell that needs its quotes keeps them; a title's comma needs none, since
// torsova drops a title's commas.
TEST(ConvertFormTest, KeepsWhatTorsovaReadsAsTyped) {
  const Conversion conversion = ConvertForm("Smith, J;;;\r\nLabel;X;Y;Z\r\n\"R,ELB\";1,5;2;3\r\n");
  EXPECT_EQ(conversion.form, "Smith, J,,,\r\nLabel,X,Y,Z\r\n\"R,ELB\",1.5,2,3\r\n");
}

TEST(ConvertFormTest, RefusesWhatItCannotConvertUnambiguously) {
  const std::string europe = Europe();
  const std::vector<std::tuple<std::string, std::string, std::uint64_t, std::string>> cases = {
      {"a row with commas", Replaced(europe, "LELB;25,0;2,4;114,1", "LELB,25.0,2.4,114.1"), 9,
       "separators mixed: semicolons between the cells of the form, commas in this row"},
      {"a row with tabs", Replaced(europe, "LELB;25,0", "LELB\t25,0"), 9,
       "separators mixed: semicolons between the cells of the form, tabs in this row"},
      {"semicolons among commas", Replaced(testing::ExampleForm(), "RKNE,-10.1", "RKNE;-10.1"), 13,
       "separators mixed: commas between the cells of the form, semicolons in this row"},
      {"a point and a comma", Replaced(europe, "114,1", "1.114,1"), 9,
       "1.114,1 has both a point and a comma, so its decimal mark is in doubt"},
      {"two commas", Replaced(europe, "114,1", "1,114,1"), 9,
       "1,114,1 has more than one comma, so its decimal mark is in doubt"},
      {"a line end in a cell", Replaced(europe, "LELB;", "\"LE\nLB\";"), 9,
       "A9 holds a line end, which torsova reads as the end of a row"},
  };
  for (const auto& [what, form, row, why] : cases) {
    const Conversion conversion = ConvertForm(form);
    EXPECT_FALSE(conversion.converted) << what;
    EXPECT_EQ(conversion.form, "") << what;
    EXPECT_EQ(conversion.refused_row, row) << what;
    EXPECT_EQ(conversion.refusal, why) << what;
  }
}

}  // namespace
}  // namespace torsova::form
