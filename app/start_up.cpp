#include "app/start_up.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>

std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("trapezoid-rating"));
  QCoreApplication::setApplicationVersion(QStringLiteral(RATING_VERSION));
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);  // NOLINT: argv is argc long

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Normal-depth rating of a trapezoidal channel reach for Modified Puls routing.\n"
      "Opens the rating window: fill in the channel, press \"Create Rating File\", and the program writes\n"
      "the rating file and lists the table. For ratings without a window, see trapezoid-rating-cli."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  // Qt's own options (-platform, -style, ...) are left for the window.
  (void)parser.parse(arguments);
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    (void)std::fputs(qPrintable(parser.helpText()), stdout);
    return 0;
  }
  if (parser.isSet(version)) {
    (void)std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                      qPrintable(QCoreApplication::applicationVersion()));
    return 0;
  }
  return std::nullopt;
}

void MakeProgramFolderCurrent(QWidget& window) {
  const QString folder = QCoreApplication::applicationDirPath();
  if (QDir::setCurrent(folder)) return;
  QMessageBox::warning(
      &window, window.windowTitle(),
      QCoreApplication::translate("StartUp",
                                  "Cannot change the working directory to the program's folder "
                                  "\"%1\". Relative rating file names are created in \"%2\".")
          .arg(folder, QDir::currentPath()));
}
