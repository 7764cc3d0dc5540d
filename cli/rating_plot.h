#pragma once

#include <string>
#include <vector>

#include "output/safe_file.h"
#include "plot/rating_curves.h"

namespace rating::cli {

// Draws the rating curves to an SVG file. The file is a SafeFile, put in
// place at once or, when `pending` is given, added to it for CommitTogether.
// Throws RatingFailure (PlotFile) when it cannot be written. Needs a
// QGuiApplication for fonts.
void WriteRatingPlot(const RatingCurves& curves, const std::string& path,
                     std::vector<SafeFile>* pending = nullptr);

}  // namespace rating::cli
