// Draws a gathered plot as one SVG picture: the plan of the line at the top,
// then, on one kilometre axis, the gradient, the speed limit with the
// slowdowns, the adhesion, the stations by name and a row for each kind of
// line-side object. Every object carries a tooltip with its details.
#pragma once

#include <string>

#include "tools/plot_data.h"

namespace scenario::tool {

// The SVG document, UTF-8, standalone.
std::string render_svg(const PlotData& d);

// Text made safe for XML character data and attribute values.
std::string xml_escape(std::string_view text);

}  // namespace scenario::tool
