// The pages' files as the build embedded them from src/view/page/ (see
// cmake/View.cmake): a page's template with its @NAME@ placeholders and its
// style byte for byte, its script without comment lines and indentation, and
// the Content-Security-Policy sources ("sha256-<base64>") of the script and
// style text.
#pragma once

#include <cstddef>
#include <string_view>

namespace torsova::view {

struct EmbeddedPage {
  std::string_view page_template;
  std::string_view script;
  std::string_view style;
  std::string_view script_hash;
  std::string_view style_hash;
};

// The page of one figure: the 3-D view, the body panel and the figure page's start.
const EmbeddedPage& TheFigurePage();

// The page of a study: its table, the bodies side by side, the scatter plot
// and the compare view (on the same 3-D view as the figure page).
const EmbeddedPage& TheStudyPage();

}  // namespace torsova::view
