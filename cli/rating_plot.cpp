#include "cli/rating_plot.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "engine/failure.h"
#include "output/exports.h"

namespace rating::cli {

void WriteRatingPlot(const RatingCurves& curves, const std::string& path, std::vector<SafeFile>* pending) {
  QByteArray drawing;
  QBuffer buffer(&drawing);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(kRatingCurvesPage);
  svg.setViewBox(QRect(QPoint(0, 0), kRatingCurvesPage));
  svg.setTitle(curves.title);
  svg.setDescription(curves.subtitle);
  QPainter painter(&svg);
  DrawRatingCurves(painter, QRectF(QPointF(0, 0), kRatingCurvesPage), curves);
  painter.end();
  WriteWholeFile(path, std::string_view(drawing.constData(), static_cast<std::size_t>(drawing.size())),
                 FailureKind::PlotFile, pending);
}

}  // namespace rating::cli
