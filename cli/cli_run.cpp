#include "cli/cli_run.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/batch_targets.h"
#include "cli/command_line.h"
#include "cli/reach_table.h"
#include "cli/route_run.h"
#include "cli/table_rows.h"
#include "engine/number_text.h"
#include "engine/unit_system.h"
#include "output/exports.h"
#include "output/file_message.h"
#include "output/file_target.h"
#include "output/safe_file.h"
#include "platform/platform.h"
#include "run/rating_run.h"
#include "run/rating_session.h"

namespace rating::cli {

namespace {

constexpr std::size_t kProgressAbove = 10;  // batches larger than this report progress
constexpr std::size_t kProgressSteps = 10;  // in tenths

// A file finished but not yet put in place, and how a failure to put it in
// place reads.
struct PendingFile {
  std::optional<SafeFile> file;  // a file, replaced together with the run's others
  std::string inPlace;           // otherwise the bytes for a device, a FIFO or standard output
  std::string_view kindText;     // "Cannot write rating file", "Cannot write plot", ...
  std::string name;              // as the user gave it
  std::size_t reach;             // of a batch: the files of one reach land together
};
using PendingFiles = std::vector<PendingFile>;

// `bytes` on their way to the file `name`: finished now where the file is
// replaced, held for an output that takes them as it stands.
PendingFile Pending(const std::string& name, std::string bytes, std::string_view kindText,
                    std::size_t reach) {
  const std::string target = OutputName(name);
  if (IsWrittenInPlace(target)) return {std::nullopt, std::move(bytes), kindText, name, reach};
  try {
    return {FinishWholeFile(target, bytes), {}, kindText, name, reach};
  } catch (const std::system_error& error) {
    throw CommandFailure(FileMessage(kindText, name, error.code()));
  }
}

// Rates one reach and finishes its files into `pending`, in the order the
// options name them. Throws RatingFailure or CommandFailure at the first that
// fails; the reach's files already finished are then left to the caller to
// drop. Returns the rating and a note about the paired data, if any.
RatingResult RateReach(const FieldTexts& texts, const ExtraFiles& extras, const std::string& sectionFile,
                       const std::string& separator, PendingFiles& pending, std::size_t reach,
                       std::vector<std::string>& notes) {
  const std::string& output = TextOf(texts, InputField::Filename);
  const std::vector<GroundPoint> ground =
      sectionFile.empty() ? std::vector<GroundPoint>() : ReadSectionFile(sectionFile, separator);
  RatingOutcome outcome = RateFields(texts, separator, ground);
  if (outcome.result && outcome.result->note) notes.push_back(*outcome.result->note);
  if (IsWrittenInPlace(OutputName(output))) {
    if (outcome.failure) throw RatingFailure(*outcome.failure);
    pending.push_back(
        {std::nullopt, outcome.result->fileText, FailureKindText(FailureKind::FileWrite), output, reach});
  } else {
    pending.push_back(
        {FinishRatingFile(outcome), {}, FailureKindText(FailureKind::FileWrite), output, reach});
  }

  // The storage-outflow pairs, once: their CSV and the rows they leave out.
  const StorageOutflow pairs = StorageOutflowCsv(outcome.result->fileRows, outcome.result->channel.units);
  for (const ExportFacts& facts : kExports) {
    const std::string& name = extras.at(static_cast<std::size_t>(facts.what));
    if (name.empty()) continue;
    pending.push_back(Pending(name,
                              ExportBytes(facts.what, *outcome.result, pairs,
                                          std::string(TextOf(texts, InputField::Title)), separator),
                              Pattern(facts.failureKind), reach));
    if (facts.what == Export::PairedData) {
      if (auto note = PairedDataNote(pairs.leftOut, name)) notes.push_back(std::move(*note));
    }
  }
  return std::move(*outcome.result);
}

// Puts the files in place together; reports each that could not be, and
// returns the reaches that lost a file.
std::vector<std::size_t> Commit(PendingFiles& pending, std::ostream& err,
                                const std::function<std::string(std::size_t)>& where) {
  std::vector<std::size_t> failed;
  const auto report = [&](const PendingFile& file, std::error_code error) {
    err << where(file.reach) << FileMessage(file.kindText, file.name, error) << '\n';
    failed.push_back(file.reach);
  };
  // Devices and standard output take their bytes first; a reach whose
  // output refuses them replaces none of its files.
  for (const PendingFile& file : pending) {
    if (file.file) continue;
    try {
      WriteInPlace(OutputName(file.name), file.inPlace);
    } catch (const std::system_error& error) {
      report(file, error.code());
    }
  }
  std::vector<SafeFile> files;
  std::vector<std::size_t> reaches;
  std::vector<const PendingFile*> owners;
  for (PendingFile& file : pending) {
    if (!file.file || std::find(failed.begin(), failed.end(), file.reach) != failed.end()) continue;
    files.push_back(std::move(*file.file));
    reaches.push_back(file.reach);
    owners.push_back(&file);
  }
  const std::vector<std::error_code> errors = CommitTogether(files, reaches);
  for (std::size_t k = 0; k < errors.size(); ++k) {
    if (errors[k]) {
      report(*owners[k], errors[k]);
    } else if (const std::optional<std::string> note = LeftoversNote(owners[k]->name, true)) {
      err << where(owners[k]->reach) << *note << '\n';
    }
  }
  return failed;
}

bool AnyOnStandardOutput(const FieldTexts& texts, const ExtraFiles& extras, const RouteOptions& route) {
  if (IsStandardOutput(OutputName(TextOf(texts, InputField::Filename)))) return true;
  for (const std::string* routed : {&route.routedFile, &route.plotFile}) {
    if (!routed->empty() && IsStandardOutput(OutputName(*routed))) return true;
  }
  return std::any_of(extras.begin(), extras.end(), [](const std::string& name) {
    return !name.empty() && IsStandardOutput(OutputName(name));
  });
}

// Routes the flood of `route` through `reach` and finishes its files into
// `pending`; returns the summary for standard error.
std::string RouteFlood(const RouteOptions& route, const RoutedReach& reach, const std::string& separator,
                       PendingFiles& pending, std::size_t index) {
  RoutedFlood routed = RouteThroughReach(route, reach, separator);
  if (!route.routedFile.empty()) {
    pending.push_back(
        Pending(route.routedFile, std::move(routed.csv), Pattern(Message::KindRoutedFile), index));
  }
  if (!route.plotFile.empty()) {
    pending.push_back(
        Pending(route.plotFile, std::move(routed.plot), Pattern(Message::KindHydrographPlot), index));
  }
  return std::move(routed.summary);
}

int RunSingle(const Request& request, const std::string& separator, std::ostream& out, std::ostream& err) {
  const RouteOptions& route = request.route;
  const bool rates = route.pairsFile.empty();
  if (const std::optional<std::string> shared = FindSharedOutput(request.texts, request.extras, route)) {
    err << *shared << '\n';
    return kExitUsage;
  }
  // Every file is finished first and all are put in place together: a run
  // whose plot cannot be written replaces no rating file.
  PendingFiles pending;
  std::vector<std::string> notes;
  RatingResult result;
  std::string summary;  // of the routing, if any
  try {
    if (rates) {
      result = RateReach(request.texts, request.extras, request.sectionFile, separator, pending, 0, notes);
      // A flood routed through the reach: a routing that fails writes nothing.
      if (!route.inflowFile.empty()) {
        summary =
            RouteFlood(route, ReachOfRating(result, std::string(TextOf(request.texts, InputField::Title))),
                       separator, pending, 0);
      }
    } else {
      const UnitSystem units = ReadUnitSystem(TextOf(request.texts, InputField::Units));
      summary = RouteFlood(route, ReachOfPairsFile(route.pairsFile, separator, units), separator, pending, 0);
    }
  } catch (const UsageError& error) {
    err << error.what() << '\n';
    return kExitUsage;
  } catch (const std::runtime_error& failure) {  // RatingFailure or CommandFailure
    err << failure.what() << '\n';
    return kExitFailure;
  }
  if (!Commit(pending, err, [](std::size_t) { return std::string(); }).empty()) return kExitFailure;
  for (const std::string& note : notes) err << note << '\n';
  err << summary;
  if (!rates) return kExitSuccess;
  // A file on standard output keeps it to itself.
  std::ostream& listing = AnyOnStandardOutput(request.texts, request.extras, route) ? err : out;
  for (const std::string& line : result.listing) listing << line << '\n';
  return kExitSuccess;
}

int RunBatch(const Request& request, const std::string& separator, std::ostream& out, std::ostream& err,
             bool errIsTerminal) {
  std::vector<Reach> reaches;
  try {
    reaches = ReadReaches(request.batchFile, request);
  } catch (const CommandFailure& failure) {
    err << failure.what() << '\n';
    return kExitFailure;
  }
  if (const std::vector<CommandFailure> conflicts = FindSharedTargets(request.batchFile, reaches);
      !conflicts.empty()) {
    for (const CommandFailure& conflict : conflicts) err << conflict.what() << '\n';
    return kExitUsage;
  }

  // Every file is finished first and put in place at the end, with one data
  // sync for the whole batch.
  PendingFiles pending;
  std::vector<bool> failed(reaches.size(), false);
  bool standardOutputTaken = false;
  const auto where = [&](std::size_t i) {
    return Compose(Message::BatchReachFailed, Arg<"path">(request.batchFile),
                   Arg<"line">(std::to_string(reaches[i].line)), Arg<"message">(""));
  };

  const bool showProgress = errIsTerminal && reaches.size() > kProgressAbove;
  std::size_t nextReport = 1;
  for (std::size_t i = 0; i < reaches.size(); ++i) {
    const Reach& reach = reaches[i];
    standardOutputTaken =
        standardOutputTaken ||
        (reach.error.empty() && AnyOnStandardOutput(reach.texts, reach.extras, reach.route));
    const std::size_t pendingBefore = pending.size();
    std::vector<std::string> notes;
    try {
      if (!reach.error.empty()) throw CommandFailure(reach.error);
      if (std::optional<std::string> refused =
              ShapeRefusal(reach.texts, reach.given, !reach.sectionFile.empty(),
                           !reach.extras.at(static_cast<std::size_t>(Export::SectionCsv)).empty())) {
        throw CommandFailure(*refused);
      }
      const RatingResult result =
          RateReach(reach.texts, reach.extras, reach.sectionFile, separator, pending, i, notes);
      if (!reach.route.inflowFile.empty()) {
        notes.push_back(RouteFlood(reach.route,
                                   ReachOfRating(result, std::string(TextOf(reach.texts, InputField::Title))),
                                   separator, pending, i));
        notes.back().pop_back();  // the summary's last line end
      }
      for (const std::string& note : notes) err << where(i) << note << '\n';
    } catch (const std::runtime_error& failure) {  // RatingFailure or CommandFailure
      // The reach's files finished so far go, with their temporary files.
      pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(pendingBefore), pending.end());
      err << where(i) << failure.what() << '\n';
      failed[i] = true;
    }
    if (showProgress && (i + 1) * kProgressSteps >= nextReport * reaches.size()) {
      err << Compose(Message::BatchProgress, Arg<"done">(std::to_string(i + 1)),
                     Arg<"total">(std::to_string(reaches.size())))
          << '\n';
      while (nextReport * reaches.size() <= (i + 1) * kProgressSteps) ++nextReport;
    }
  }
  for (const std::size_t i : Commit(pending, err, where)) failed[i] = true;

  const auto failures = static_cast<std::size_t>(std::count(failed.begin(), failed.end(), true));
  // Standard output carries a reach's file alone when one goes there.
  (standardOutputTaken ? err : out) << Compose(Message::BatchSummary,
                                               Arg<"rated">(std::to_string(reaches.size() - failures)),
                                               Arg<"failed">(std::to_string(failures)))
                                    << '\n';
  return failures == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, const std::string& userSeparator,
                   std::ostream& out, std::ostream& err, bool errIsTerminal) {
  const std::string decimalSeparator = DecimalMarkFor(userSeparator);
  Request request;
  try {
    request = ParseCommandLine(arguments, decimalSeparator, RATING_VERSION);
  } catch (const UsageError& error) {
    err << error.what() << '\n'
        << Compose(Message::UsageTryHelp, Arg<"program">(arguments.empty() ? "" : arguments.front())) << '\n';
    return kExitUsage;
  }
  switch (request.mode) {
    case Mode::Help:
    case Mode::Version: {
      std::string text;
      for (const char c : request.message) {
        if (c == '\n') {
          text.append(platform::TextLineEnd());
        } else {
          text += c;
        }
      }
      out << text;
      return kExitSuccess;
    }
    case Mode::Single: return RunSingle(request, decimalSeparator, out, err);
    case Mode::Batch: return RunBatch(request, decimalSeparator, out, err, errIsTerminal);
  }
  return kExitUsage;
}

}  // namespace rating::cli
