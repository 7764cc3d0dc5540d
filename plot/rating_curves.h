#pragma once

#include <QRectF>
#include <QSize>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "run/rating_run.h"

class QPainter;

namespace rating {

// What a drawing of the rating curves shows: the rating file's rows and the
// reach they belong to.
struct RatingCurves {
  QString title;                  // the rating file's title line
  QString subtitle;               // the reach in words, with units
  std::vector<double> elevation;  // ft, rows 0 to the last
  std::vector<double> flow;       // cfs, three figures as in the rating file
  std::vector<double> storage;    // acre-ft, three figures as in the rating file
};

// The curves of a run, numbers in the subtitle with `decimalSeparator`.
RatingCurves CurvesOf(const RatingResult& result, const std::string& title,
                      std::string_view decimalSeparator);

// The tick labels of an axis that spans `values`, lowest first: round
// values in round steps, each with the decimals its step needs, so that no
// two read the same. Every other tick of a crowded axis has an empty label.
std::vector<QString> TickLabels(const std::vector<double>& values);

// The page a drawing is laid out for; it scales to any other size.
inline constexpr QSize kRatingCurvesPage{1200, 520};

// Draws the title, the subtitle and three panels side by side on `page`:
// elevation against flow, elevation against storage, and outflow against
// storage, the relation a Modified Puls routing follows. Each panel has
// labelled axes, ticks and light gridlines close enough to read a value to
// two figures; every point lies inside its frame. The one drawing routine
// for SVG files and the window.
void DrawRatingCurves(QPainter& painter, const QRectF& page, const RatingCurves& curves);

}  // namespace rating
