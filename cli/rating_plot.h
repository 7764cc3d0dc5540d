#pragma once

#include <QByteArray>

#include "plot/rating_curves.h"

namespace rating::cli {

// The rating curves as an SVG document. Starts the toolkit's fonts the first
// time, on the offscreen platform and silently: the command line never needs
// a display and its standard error carries only its own messages.
QByteArray RatingPlotSvg(const RatingCurves& curves);

// Ends the toolkit if a plot started it; call before the program ends.
void StopFonts();

}  // namespace rating::cli
