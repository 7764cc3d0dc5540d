#include "cli/cli_run.h"

#include <QLocale>

#include <algorithm>

#include "cli/batch_targets.h"
#include "cli/command_line.h"
#include "cli/rating_plot.h"
#include "cli/reach_table.h"
#include "engine/failure.h"
#include "output/exports.h"
#include "output/rating_file.h"
#include "output/safe_file.h"
#include "run/rating_run.h"
#include "run/text_form.h"

namespace rating::cli {

namespace {

constexpr std::size_t kProgressAbove = 10;  // batches larger than this report progress
constexpr std::size_t kProgressSteps = 10;  // in tenths

// Files finished but not yet put in place, and how a failure to put each
// in place reads: rating file, plot or export.
struct PendingFiles {
  std::vector<SafeFile> files;
  std::vector<FailureKind> kinds;
};

FailureKind KindOf(Extra extra) {
  return extra == Extra::Plot ? FailureKind::PlotFile : FailureKind::ExportFile;
}

// Rates one reach and writes its extra files. The files are put in place at
// once, or added to `pending` to be put in place with the rest of a batch.
// Returns a note for each row the paired data leaves out.
std::vector<std::string> RateReach(const FieldTexts& texts, const ExtraFiles& extras, TextForm& form,
                                   PendingFiles* pending) {
  for (std::size_t i = 0; i < texts.size(); ++i) form.Text(static_cast<InputField>(i)) = texts.at(i);
  std::string& output = form.Text(InputField::Filename);
  output = OutputName(output);
  std::vector<SafeFile>* files = pending != nullptr ? &pending->files : nullptr;
  const RatingResult result = CreateRatingFile(form, files);
  if (pending != nullptr) pending->kinds.resize(files->size(), FailureKind::FileWrite);

  std::vector<std::string> notes;
  for (const ExtraFacts& facts : kExtras) {
    const std::string& name = extras.at(static_cast<std::size_t>(facts.extra));
    if (name.empty()) continue;
    const std::string path = OutputName(name);
    switch (facts.extra) {
      case Extra::Plot:
        WriteRatingPlot(CurvesOf(result, form.Text(InputField::Title), form.DecimalSeparator()), path, files);
        break;
      case Extra::Csv:
        WriteWholeFile(path, RatingTableCsv(result.table, result.listingRows), KindOf(facts.extra), files);
        break;
      case Extra::PairedData: {
        const StorageOutflow pairs = StorageOutflowCsv(result.fileRows);
        WriteWholeFile(path, pairs.csv, KindOf(facts.extra), files);
        for (const LeftOutRow& row : pairs.leftOut) {
          notes.push_back(std::string("row ")
                              .append(std::to_string(row.row))
                              .append(" left out of the paired data \"")
                              .append(name)
                              .append("\": ")
                              .append(row.reason)
                              .append("; storage and outflow must both increase."));
        }
        break;
      }
    }
    if (pending != nullptr) pending->kinds.resize(files->size(), KindOf(facts.extra));
  }
  return notes;
}

// How many outputs of a reach go to standard output.
int OutputsOnStandardOutput(const FieldTexts& texts, const ExtraFiles& extras) {
  int count = IsStandardOutput(OutputName(texts.at(static_cast<std::size_t>(InputField::Filename)))) ? 1 : 0;
  for (const std::string& name : extras) {
    if (!name.empty() && IsStandardOutput(OutputName(name))) ++count;
  }
  return count;
}

int RunSingle(const Request& request, TextForm& form, std::ostream& out, std::ostream& err) {
  const int onStandardOutput = OutputsOnStandardOutput(request.texts, request.extras);
  if (onStandardOutput > 1) {
    err << "Only one of the rating file, plot, CSV table and paired data can go to standard output.\n";
    return kExitUsage;
  }
  try {
    for (const std::string& note : RateReach(request.texts, request.extras, form, nullptr)) {
      err << note << '\n';
    }
  } catch (const RatingFailure& failure) {
    err << failure.what() << '\n';
    return kExitFailure;
  }
  // A file on standard output keeps it to itself.
  std::ostream& listing = onStandardOutput > 0 ? err : out;
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
  PendingFiles pending;
  std::vector<std::size_t> owner;  // the reach of each pending file
  std::vector<bool> failed(reaches.size(), false);
  const auto report = [&](std::size_t i, const std::string& message) {
    err << request.batchFile << ':' << reaches[i].line << ": " << message << '\n';
    failed[i] = true;
  };

  const bool showProgress = reaches.size() > kProgressAbove;
  std::size_t nextReport = 1;
  for (std::size_t i = 0; i < reaches.size(); ++i) {
    const Reach& reach = reaches[i];
    const std::size_t pendingBefore = pending.files.size();
    try {
      if (!reach.error.empty()) throw RatingFailure(FailureKind::MalformedRow, reach.error);
      for (const std::string& note : RateReach(reach.texts, reach.extras, form, &pending)) {
        err << request.batchFile << ':' << reach.line << ": " << note << '\n';
      }
      owner.resize(pending.files.size(), i);
    } catch (const RatingFailure& failure) {
      pending.files.erase(pending.files.begin() + static_cast<std::ptrdiff_t>(pendingBefore),
                          pending.files.end());
      pending.kinds.resize(pendingBefore);
      report(i, failure.what());
    }
    if (showProgress && (i + 1) * kProgressSteps >= nextReport * reaches.size()) {
      err << "rated " << i + 1 << " of " << reaches.size() << " reaches\n";
      while (nextReport * reaches.size() <= (i + 1) * kProgressSteps) ++nextReport;
    }
  }

  const std::vector<std::error_code> errors = CommitTogether(pending.files);
  for (std::size_t k = 0; k < pending.files.size(); ++k) {
    if (!errors[k]) continue;
    const std::string target = pending.files[k].Target().string();
    report(owner[k], FileFailure(pending.kinds[k], target, errors[k]).what());
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
