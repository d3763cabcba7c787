#include "view/write/drawing_writer.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "textio/decimal_conversion.h"
#include "view/body/body_figure.h"
#include "view/write/body_drawing.h"
#include "view/write/landmark_labels.h"
#include "view/write/page_writer.h"

namespace torsova::view {
namespace {

// Pixels for the figure's size, and the layout around the views.
constexpr double kViewSize = 240;
constexpr double kMargin = 20;
constexpr double kGap = 40;
constexpr double kMinSlot = 80;
constexpr double kViewsTop = 76;
constexpr double kNameBaseline = 62;  // of each view's name
constexpr double kNameSize = 13;
constexpr int kDecimals = 2;
// Segments per <path>: each writes at most some forty bytes, so no path's data
// comes near the attribute lengths that renderers refuse.
constexpr std::size_t kSegmentsPerPath = 1000;

// Which numbers of a point go to the right and up in each view: the first
// is across, the second the height, the third the depth.
constexpr struct View {
  std::string_view id;
  std::string_view label;
  std::size_t right;
  std::size_t up;
} kViews[] = {
    {"front", "Front", 0, 1},
    {"side", "Side", 2, 1},
    {"top", "Top", 0, 2},
};

struct Colours {
  std::string_view background;
  std::string_view ink;
  std::string_view labels;
};
constexpr Colours kWhiteBack{"#ffffff", "#1a1a1a", "#555555"};
constexpr Colours kDarkBack{"#1e1f22", "#e8e8e8", "#a8a8a8"};

// A view's box in the figure's unit, circles included, and where it goes.
struct ViewBox {
  double right_min = 0, right_max = 0, up_min = 0, up_max = 0;
  double left = 0;  // pixels
  Box room;         // the pixels the view's codes may take: its slot and half the gaps beside it
};

ViewBox BoxOf(const Figure& figure, const View& view) {
  ViewBox box;
  box.right_min = figure.min[view.right];
  box.right_max = figure.max[view.right];
  box.up_min = figure.min[view.up];
  box.up_max = figure.max[view.up];
  for (std::size_t i = 0; i < figure.circles.size(); i += 4) {
    const double* c = &figure.circles[i];
    const double radius = c[3] * figure.size / 2;
    box.right_min = std::min(box.right_min, c[view.right] - radius);
    box.right_max = std::max(box.right_max, c[view.right] + radius);
    box.up_min = std::min(box.up_min, c[view.up] - radius);
    box.up_max = std::max(box.up_max, c[view.up] + radius);
  }
  return box;
}

class ViewPainter {
 public:
  ViewPainter(const ViewBox& box, const View& view, double scale)
      : box_(box), view_(view), scale_(scale) {}

  void Point(const double* p, TextWriter& out) const {
    out.Fixed(X(p[view_.right]), kDecimals) << ' ';
    out.Fixed(Y(p[view_.up]), kDecimals);
  }
  double X(double right) const { return box_.left + (right - box_.right_min) * scale_; }
  double Y(double up) const { return kViewsTop + (box_.up_max - up) * scale_; }
  std::size_t right() const { return view_.right; }
  std::size_t up() const { return view_.up; }
  double scale() const { return scale_; }
  std::string_view label() const { return view_.label; }

 private:
  const ViewBox& box_;
  const View& view_;
  double scale_;
};

// A body's own marks in a view: its lines across a missing landmark dashed
// and, when asked, each landmark's code beside its point.
void WriteBodyMarks(const Figure& figure, const BodyFigure& body, bool labels,
                    const ViewPainter& painter, const ViewBox& box, const Colours& colours,
                    TextWriter& out) {
  if (!body.across.empty()) {
    out << "<path class=\"across\" " << kAcrossStyle << " stroke=\"" << colours.ink << "\" d=\"";
    for (std::size_t i = 0; i < body.across.size(); ++i) {
      const double* start = &figure.lines[body.across[i] * 6];
      out << (i == 0 ? "M" : " M");
      painter.Point(start, out);
      out << " L";
      painter.Point(start + 3, out);
    }
    out << "\"/>\n";
  }
  if (!labels) return;
  std::vector<LabelPoint> points;
  std::vector<std::size_t> shown;
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (body.missing[i]) continue;
    const Point& p = body.points[i];
    const char side = BodyPointCode(i)[0];
    points.push_back({painter.X(p[painter.right()]), painter.Y(p[painter.up()]),
                      side == 'R'   ? -1
                      : side == 'L' ? 1
                                    : 0});
    shown.push_back(i);
  }
  std::vector<Disc> discs;
  for (std::size_t i = 0; i < figure.circles.size(); i += 4) {
    const double* c = &figure.circles[i];
    discs.push_back({painter.X(c[painter.right()]), painter.Y(c[painter.up()]),
                     c[3] * figure.size / 2 * painter.scale()});
  }
  // The view's name above it is no place for a code.
  const double name_width = 0.62 * kNameSize * static_cast<double>(painter.label().size());
  const Box name{box.left, kNameBaseline - kNameSize, box.left + name_width, kNameBaseline + 4};
  const std::vector<std::optional<LabelPlace>> places =
      PlaceLabels(points, discs, {name}, box.room);
  // Edged in the background's colour, so that a line behind a code leaves it readable.
  out << "<g class=\"labels\" font-size=\"";
  out.Fixed(kLabelSize, kDecimals)
      << "\" fill=\"" << colours.labels << "\" stroke=\"" << colours.background
      << "\" stroke-width=\"2\" stroke-linejoin=\"round\" "
         "paint-order=\"stroke\">\n";
  for (std::size_t n = 0; n < places.size(); ++n) {
    if (!places[n]) continue;
    out << "<text x=\"";
    out.Fixed(places[n]->x, kDecimals) << "\" y=\"";
    out.Fixed(places[n]->y, kDecimals) << '"';
    if (places[n]->anchor != "start") out << " text-anchor=\"" << places[n]->anchor << '"';
    out << '>';
    WriteMarkupText(BodyPointCode(shown[n]), out);
    out << "</text>\n";
  }
  out << "</g>\n";
}

void WriteView(const Figure& figure, const View& view, const ViewBox& box, double scale,
               const Colours& colours, const BodyFigure* body, bool labels, TextWriter& out) {
  const ViewPainter painter(box, view, scale);
  out << "<g id=\"" << view.id << "\">\n<title>" << view.label << " view</title>\n";
  out << "<text x=\"";
  out.Fixed(box.left, kDecimals) << "\" y=\"";
  out.Fixed(kNameBaseline, kDecimals) << "\" font-size=\"";
  out.Fixed(kNameSize, kDecimals) << "\" fill=\"" << colours.labels << "\">" << view.label
                                  << "</text>\n";
  if (!figure.lines.empty()) {
    const double* previous_end = nullptr;
    for (std::size_t i = 0; i < figure.lines.size(); i += 6) {
      if (i % (6 * kSegmentsPerPath) == 0) {
        // Round caps and joins: a stroke split between two paths looks the same.
        if (i > 0) out << "\"/>\n";
        out << "<path fill=\"none\" stroke=\"" << colours.ink
            << "\" stroke-width=\"1.5\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";
        previous_end = nullptr;
      }
      const double* start = &figure.lines[i];
      if (body != nullptr && body->Across(i / 6)) continue;  // dashed, below
      // A segment that goes on from where the last one ended continues its stroke.
      if (previous_end == nullptr || !std::equal(start, start + 3, previous_end)) {
        out << (previous_end == nullptr ? "M" : " M");
        painter.Point(start, out);
      }
      out << " L";
      painter.Point(start + 3, out);
      previous_end = start + 3;
    }
    out << "\"/>\n";
  }
  if (body != nullptr) {
    WriteBodyMarks(figure, *body, labels, painter, box, colours, out);
  }
  if (!figure.circles.empty()) {
    out << "<g fill=\"" << (figure.fill_circles ? colours.ink : std::string_view("none"))
        << "\" stroke=\"" << colours.ink << "\" stroke-width=\"1.5\">\n";
    for (std::size_t i = 0; i < figure.circles.size(); i += 4) {
      const double* c = &figure.circles[i];
      out << "<circle cx=\"";
      out.Fixed(painter.X(c[view.right]), kDecimals) << "\" cy=\"";
      out.Fixed(painter.Y(c[view.up]), kDecimals) << "\" r=\"";
      out.Fixed(c[3] * figure.size / 2 * scale, kDecimals) << "\"/>\n";
    }
    out << "</g>\n";
  }
  out << "</g>\n";
}

}  // namespace

std::string ScaleBarLength(double size) {
  const double target = size / 3;
  int power = 0;
  double decade = 1;
  while (decade * 10 <= target) decade *= 10, ++power;
  while (decade > target) decade /= 10, --power;
  const char digit = 5 * decade <= target ? '5' : 2 * decade <= target ? '2' : '1';
  if (power >= 0) return digit + std::string(static_cast<std::size_t>(power), '0');
  return "0." + std::string(static_cast<std::size_t>(-power - 1), '0') + digit;
}

void WriteDrawing(const Figure& figure, TextWriter& out, bool labels) {
  const Colours& colours = figure.white_back ? kWhiteBack : kDarkBack;
  const std::optional<BodyFigure> body = RecogniseBody(figure);
  const std::optional<BodyPanel> panel =
      body ? std::optional<BodyPanel>(MakeBodyPanel(*body)) : std::nullopt;
  const double scale = kViewSize / figure.size;

  ViewBox boxes[3];
  double left = kMargin;
  double views_height = 0;
  for (std::size_t v = 0; v < 3; ++v) {
    boxes[v] = BoxOf(figure, kViews[v]);
    const double width = (boxes[v].right_max - boxes[v].right_min) * scale;
    const double slot = std::max(width, kMinSlot);
    boxes[v].left = left + (slot - width) / 2;
    boxes[v].room.left = left - kGap / 2;
    boxes[v].room.right = left + slot + kGap / 2;
    left += slot + kGap;
    views_height = std::max(views_height, (boxes[v].up_max - boxes[v].up_min) * scale);
  }
  const double views_width = left - kGap + kMargin;
  const double width = panel ? std::max(views_width, BodyPanel::kWidth) : views_width;
  const double bar_y = kViewsTop + views_height + 30;
  for (ViewBox& box : boxes) {
    // Below the title, above the scale bar.
    box.room.top = kNameBaseline - 16;
    box.room.bottom = bar_y - 8;
  }
  const double height = bar_y + 36 + (panel ? panel->height : 0);

  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  out.Fixed(width, kDecimals) << "\" height=\"";
  out.Fixed(height, kDecimals) << "\" viewBox=\"0 0 ";
  out.Fixed(width, kDecimals) << ' ';
  out.Fixed(height, kDecimals) << "\" font-family=\"sans-serif\">\n<title>";
  WriteMarkupText(figure.title, out);
  out << "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"" << colours.background << "\"/>\n";
  if (!figure.title.empty()) {
    out << "<text x=\"20\" y=\"32\" font-size=\"16\" fill=\"" << colours.ink << "\">";
    WriteMarkupText(figure.title, out);
    out << "</text>\n";
  }
  for (std::size_t v = 0; v < 3; ++v) {
    WriteView(figure, kViews[v], boxes[v], scale, colours, body ? &*body : nullptr, labels, out);
  }

  const std::string bar = ScaleBarLength(figure.size);
  const double bar_end = kMargin + DecimalToDouble(bar) * scale;
  out << "<g id=\"scale\">\n<title>Scale bar</title>\n<path fill=\"none\" stroke=\"" << colours.ink
      << "\" stroke-width=\"1.5\" d=\"M20 ";
  out.Fixed(bar_y - 4, kDecimals) << " V";
  out.Fixed(bar_y, kDecimals) << " H";
  out.Fixed(bar_end, kDecimals) << " V";
  out.Fixed(bar_y - 4, kDecimals) << "\"/>\n";
  // Each label centred in a <text> of its own: some renderers ignore
  // text-anchor on a <tspan>.
  out << "<g font-size=\"12\" fill=\"" << colours.labels << "\" text-anchor=\"middle\">";
  for (const auto& [x, label] : {std::pair<double, std::string_view>(kMargin, "0"),
                                 std::pair<double, std::string_view>(bar_end, bar)}) {
    out << "<text x=\"";
    out.Fixed(x, kDecimals) << "\" y=\"";
    out.Fixed(bar_y + 16, kDecimals) << "\">" << label << "</text>";
  }
  out << "</g>\n</g>\n";
  if (panel) {
    WriteBodyPanel(*panel, bar_y + 36, figure.white_back, colours.ink, colours.labels, out);
  }
  out << "</svg>\n";
}

}  // namespace torsova::view
