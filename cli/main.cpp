#include <QGuiApplication>

#include <iostream>

#include "cli/cli_run.h"

int main(int argc, char* argv[]) {
  // Plots need fonts but never a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("trapezoid-rating-cli"));
  QGuiApplication::setApplicationVersion(QStringLiteral(RATING_VERSION));
  return rating::cli::RunCommandLine(QGuiApplication::arguments(), std::cout, std::cerr);
}
