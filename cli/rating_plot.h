#pragma once

#include <string>

#include "engine/rating_table.h"

namespace rating::cli {

// Draws the rating curves of a rounded table to an SVG file: elevation
// against flow and elevation against storage, side by side, with labelled
// axes, tick marks, the title and the parameter line as a subtitle. The file
// is replaced only when it has been written whole. Throws RatingFailure
// (PlotFile) when it cannot be written. Needs a QGuiApplication for fonts.
void WriteRatingPlot(const RatingTable& table, const std::string& title, const std::string& parameterLine,
                     const std::string& path);

}  // namespace rating::cli
