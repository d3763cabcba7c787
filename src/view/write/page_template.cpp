#include "view/write/page_template.h"

namespace torsova::view {

void FillTemplate(std::string_view text, const std::vector<PlaceholderFiller>& fillers,
                  TextWriter& out) {
  std::size_t at = 0;
  for (;;) {
    const std::size_t sign = text.find('@', at);
    out << text.substr(at, sign == std::string_view::npos ? sign : sign - at);
    if (sign == std::string_view::npos) return;
    at = sign + 1;
    const std::string_view rest = text.substr(sign);
    for (const auto& [name, fill] : fillers) {
      if (rest.compare(0, name.size(), name) != 0) continue;
      fill(out);
      at = sign + name.size();
      break;
    }
    if (at == sign + 1) out << '@';
  }
}

}  // namespace torsova::view
