// A page's template with its @NAME@ placeholders filled in one pass: what
// goes in is never looked at again, so a title such as "@SCRIPT@" stays text.
#pragma once

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "view/write/text_writer.h"

namespace torsova::view {

using PlaceholderFiller = std::pair<std::string_view, std::function<void(TextWriter&)>>;

// Writes `text` with each "@NAME@" of `fillers` (names given with their @s)
// replaced by what its function writes; any other @ stays as it is.
void FillTemplate(std::string_view text, const std::vector<PlaceholderFiller>& fillers,
                  TextWriter& out);

}  // namespace torsova::view
