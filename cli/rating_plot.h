#pragma once

#include <string>
#include <vector>

#include "output/rating_file.h"
#include "output/safe_file.h"

namespace rating::cli {

// Draws the rating curves of the rating file's lines to an SVG file: elevation
// against flow and elevation against storage, side by side, with labelled
// axes, tick marks, the title and the parameter line as a subtitle. The file
// is a SafeFile, put in place at once or, when `pending` is given, added to
// it for CommitTogether. Throws RatingFailure (PlotFile) when it cannot be
// written. Needs a QGuiApplication for fonts.
void WriteRatingPlot(const std::vector<RatingFileRow>& rows, const std::string& title,
                     const std::string& parameterLine, const std::string& path,
                     std::vector<SafeFile>* pending = nullptr);

}  // namespace rating::cli
