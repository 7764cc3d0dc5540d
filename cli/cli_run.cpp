#include "cli/cli_run.h"

#include <QLocale>

#include "app/rating_run.h"
#include "app/text_form.h"
#include "cli/command_line.h"
#include "cli/rating_plot.h"
#include "cli/reach_table.h"
#include "engine/failure.h"
#include "output/rating_file.h"

namespace rating::cli {

namespace {

constexpr std::size_t kProgressAbove = 10;  // batches larger than this report progress
constexpr std::size_t kProgressSteps = 10;  // in tenths

// The window's one-line fields cannot hold a line break; a title given here
// could, and would split the rating file's first line.
void RefuseLineBreaks(const FieldTexts& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts.at(i).find_first_of("\r\n") != std::string::npos) {
      const auto field = static_cast<InputField>(i);
      throw RatingFailure(FailureKind::InvalidText,
                          std::string(FieldLabel(field)) + " contains a line break; it must be one line.",
                          field);
    }
  }
}

// Rates one reach; returns its table, rounded as the file and listing leave it.
RatingTable RateReach(const FieldTexts& texts, const std::string& plot, TextForm& form) {
  RefuseLineBreaks(texts);
  for (std::size_t i = 0; i < texts.size(); ++i) form.Text(static_cast<InputField>(i)) = texts.at(i);
  const RatingTable table = CreateRatingFile(form);
  if (!plot.empty()) {
    const auto text = [&form](InputField field) { return form.Text(field); };
    WriteRatingPlot(table, text(InputField::Title),
                    ParameterLine(text(InputField::Width), text(InputField::Bank), text(InputField::Slope),
                                  text(InputField::Length), text(InputField::N)),
                    plot);
  }
  return table;
}

int RunSingle(const Request& request, TextForm& form, std::ostream& out, std::ostream& err) {
  try {
    RateReach(request.texts, request.plotFile, form);
  } catch (const RatingFailure& failure) {
    err << failure.what() << '\n';
    return kExitFailure;
  }
  for (const std::string& line : form.ListLines()) out << line << '\n';
  return kExitSuccess;
}

int RunBatch(const Request& request, TextForm& form, std::ostream& out, std::ostream& err) {
  std::vector<Reach> reaches;
  try {
    reaches = ReadReaches(request.batchFile, request.texts);
  } catch (const RatingFailure& failure) {
    err << failure.what() << '\n';
    return kExitFailure;
  }

  std::size_t rated = 0;
  std::size_t failed = 0;
  const bool showProgress = reaches.size() > kProgressAbove;
  std::size_t nextReport = 1;
  for (std::size_t i = 0; i < reaches.size(); ++i) {
    const Reach& reach = reaches[i];
    try {
      if (!reach.error.empty()) throw RatingFailure(FailureKind::TypeMismatch, reach.error);
      RateReach(reach.texts, reach.plot, form);
      ++rated;
    } catch (const RatingFailure& failure) {
      err << request.batchFile << ':' << reach.line << ": " << failure.what() << '\n';
      ++failed;
    }
    if (showProgress && (i + 1) * kProgressSteps >= nextReport * reaches.size()) {
      err << "rated " << i + 1 << " of " << reaches.size() << " reaches\n";
      while (nextReport * reaches.size() <= (i + 1) * kProgressSteps) ++nextReport;
    }
  }
  out << rated << " rated, " << failed << " failed\n";
  return failed == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace

int RunCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  Request request;
  try {
    request = ParseCommandLine(arguments);
  } catch (const UsageError& error) {
    err << error.what() << "\nTry \"" << arguments.value(0).toStdString() << " --help\".\n";
    return kExitUsage;
  }

  TextForm form;
  form.SetDecimalSeparator(QLocale().decimalPoint().toStdString());
  switch (request.mode) {
    case Mode::Help:
    case Mode::Version: out << request.message; return kExitSuccess;
    case Mode::Single: return RunSingle(request, form, out, err);
    case Mode::Batch: return RunBatch(request, form, out, err);
  }
  return kExitUsage;
}

}  // namespace rating::cli
