#include "cli/cli_run.h"

#include <QLocale>

#include <algorithm>

#include "cli/batch_targets.h"
#include "cli/command_line.h"
#include "cli/rating_plot.h"
#include "cli/reach_table.h"
#include "engine/failure.h"
#include "output/rating_file.h"
#include "output/safe_file.h"
#include "run/rating_run.h"
#include "run/text_form.h"

namespace rating::cli {

namespace {

constexpr std::size_t kProgressAbove = 10;  // batches larger than this report progress
constexpr std::size_t kProgressSteps = 10;  // in tenths

// Rates one reach and draws its plot. The files are put in place at once, or
// added to `pending` to be put in place with the rest of a batch.
void RateReach(const FieldTexts& texts, const std::string& plot, TextForm& form,
               std::vector<SafeFile>* pending) {
  for (std::size_t i = 0; i < texts.size(); ++i) form.Text(static_cast<InputField>(i)) = texts.at(i);
  std::string& output = form.Text(InputField::Filename);
  output = OutputName(output);
  const RatingResult result = CreateRatingFile(form, pending);
  if (!plot.empty()) {
    const auto text = [&form](InputField field) { return form.Text(field); };
    WriteRatingPlot(
        result.fileRows, text(InputField::Title),
        ParameterLine(text(InputField::BottomWidth), text(InputField::BankSlope), text(InputField::Fall),
                      text(InputField::Length), text(InputField::Roughness)),
        OutputName(plot), pending);
  }
}

int RunSingle(const Request& request, TextForm& form, std::ostream& out, std::ostream& err) {
  try {
    RateReach(request.texts, request.plotFile, form, nullptr);
  } catch (const RatingFailure& failure) {
    err << failure.what() << '\n';
    return kExitFailure;
  }
  // A rating file on standard output keeps it to itself.
  const bool fileOnStandardOutput = IsStandardOutput(form.Text(InputField::Filename));
  std::ostream& listing = fileOnStandardOutput ? err : out;
  for (const std::string& line : form.ListLines()) listing << line << '\n';
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
  if (const std::vector<RatingFailure> conflicts = FindSharedTargets(request.batchFile, reaches);
      !conflicts.empty()) {
    for (const RatingFailure& conflict : conflicts) err << conflict.what() << '\n';
    return kExitUsage;
  }

  // Every file is finished first and put in place at the end, with one data
  // sync for the whole batch.
  std::vector<SafeFile> pending;
  std::vector<std::size_t> owner;  // the reach of each pending file
  std::vector<FailureKind> kinds;  // and how its failure reads: rating file or plot
  std::vector<bool> failed(reaches.size(), false);
  const auto report = [&](std::size_t i, const std::string& message) {
    err << request.batchFile << ':' << reaches[i].line << ": " << message << '\n';
    failed[i] = true;
  };

  const bool showProgress = reaches.size() > kProgressAbove;
  std::size_t nextReport = 1;
  for (std::size_t i = 0; i < reaches.size(); ++i) {
    const Reach& reach = reaches[i];
    const std::size_t pendingBefore = pending.size();
    try {
      if (!reach.error.empty()) throw RatingFailure(FailureKind::MalformedRow, reach.error);
      RateReach(reach.texts, reach.plot, form, &pending);
      owner.resize(pending.size(), i);
      kinds.push_back(FailureKind::FileWrite);
      kinds.resize(pending.size(), FailureKind::PlotFile);
    } catch (const RatingFailure& failure) {
      pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(pendingBefore), pending.end());
      report(i, failure.what());
    }
    if (showProgress && (i + 1) * kProgressSteps >= nextReport * reaches.size()) {
      err << "rated " << i + 1 << " of " << reaches.size() << " reaches\n";
      while (nextReport * reaches.size() <= (i + 1) * kProgressSteps) ++nextReport;
    }
  }

  const std::vector<std::error_code> errors = CommitTogether(pending);
  for (std::size_t k = 0; k < pending.size(); ++k) {
    if (!errors[k]) continue;
    const std::string target = pending[k].Target().string();
    report(owner[k], FileFailure(kinds[k], target, errors[k]).what());
  }

  const auto failures = static_cast<std::size_t>(std::count(failed.begin(), failed.end(), true));
  out << reaches.size() - failures << " rated, " << failures << " failed\n";
  return failures == 0 ? kExitSuccess : kExitFailure;
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
