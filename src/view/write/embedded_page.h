// The page's files as the build embedded them from src/view/page/: the
// template with its @NAME@ placeholders, the script and the style, byte for
// byte, and the Content-Security-Policy sources ("sha256-<base64>") of the
// script and style text.
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

const EmbeddedPage& TheEmbeddedPage();

}  // namespace torsova::view
