#include "cli/rating_plot.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <memory>

namespace rating::cli {

namespace {

// Drawing text needs a QGuiApplication for its fonts. The command line makes
// one only when it draws, with no arguments of the user's, on the offscreen
// platform whatever QT_QPA_PLATFORM says, and keeps Qt's own warnings (such
// as "XDG_RUNTIME_DIR not set") off its standard error.
std::unique_ptr<QGuiApplication>& Fonts() {
  static std::unique_ptr<QGuiApplication> application;
  return application;
}

void StartFonts() {
  if (QCoreApplication::instance() != nullptr) return;
  qInstallMessageHandler(
      [](QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& /*text*/) {});
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "trapezoid-rating-cli";
  static char* argv[] = {name, nullptr};
  Fonts() = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

void StopFonts() { Fonts().reset(); }

QByteArray RatingPlotSvg(const RatingCurves& curves) {
  StartFonts();
  QByteArray drawing;
  QBuffer buffer(&drawing);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(kRatingCurvesPage);
  svg.setViewBox(QRect(QPoint(0, 0), kRatingCurvesPage));
  // The generator writes the title and description as they stand; a title
  // such as "Smith & Jones Creek" must not end the document's XML.
  svg.setTitle(curves.title.toHtmlEscaped());
  svg.setDescription(curves.subtitle.toHtmlEscaped());
  QPainter painter(&svg);
  DrawRatingCurves(painter, QRectF(QPointF(0, 0), kRatingCurvesPage), curves);
  painter.end();
  return drawing;
}

}  // namespace rating::cli
