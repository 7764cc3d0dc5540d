#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <vector>

namespace rating::cli {

Request ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Normal-depth rating of a trapezoidal channel reach for Modified Puls routing.\n"
      "Writes the rating file and prints the listing. Numbers use your locale's decimal separator."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();

  const std::string separator = QLocale().decimalPoint().toStdString();
  std::vector<QCommandLineOption> fieldOptions;
  const auto latin1 = [](std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  };
  for (const FieldFacts& option : kFields) {
    const QString defaultText = QString::fromStdString(DefaultFieldText(option.field, separator));
    fieldOptions.emplace_back(
        latin1(option.option),
        latin1(option.optionHelp) + QStringLiteral(" Default: \"") + defaultText + QStringLiteral("\"."),
        QStringLiteral("text"), defaultText);
    parser.addOption(fieldOptions.back());
  }
  std::vector<QCommandLineOption> extraOptions;
  for (const ExtraFacts& extra : kExtras) {
    extraOptions.emplace_back(latin1(extra.name), latin1(extra.help), latin1(extra.valueName));
    parser.addOption(extraOptions.back());
  }
  const QCommandLineOption batch(QStringLiteral("batch"),
                                 QStringLiteral("Rate every reach of a CSV table whose header names the "
                                                "options above, plot, csv and paired-data included."),
                                 QStringLiteral("reaches.csv"));
  parser.addOption(batch);

  if (!parser.parse(arguments)) throw UsageError(parser.errorText().toStdString());
  if (!parser.positionalArguments().isEmpty()) {
    throw UsageError("Unexpected argument \"" + parser.positionalArguments().first().toStdString() + "\".");
  }

  Request request;
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    request.mode = Mode::Help;
    request.message = parser.helpText().toStdString();
    return request;
  }
  if (parser.isSet(version)) {
    request.mode = Mode::Version;
    request.message =
        (QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion())
            .toStdString() +
        "\n";
    return request;
  }
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    request.texts.at(i) = parser.value(fieldOptions.at(i)).toStdString();
  }
  for (std::size_t i = 0; i < kExtras.size(); ++i) {
    request.extras.at(i) = parser.value(extraOptions.at(i)).toStdString();
    if (parser.isSet(batch) && parser.isSet(extraOptions.at(i))) {
      const std::string name(kExtras.at(i).name);
      std::string message = "--";
      message.append(name).append(" names one file; in a batch, give a \"").append(name).append("\" column.");
      throw UsageError(message);
    }
  }
  if (parser.isSet(batch)) {
    request.mode = Mode::Batch;
    request.batchFile = parser.value(batch).toStdString();
  }
  return request;
}

}  // namespace rating::cli
