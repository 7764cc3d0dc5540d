#include "cli/batch_targets.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <system_error>

#include "cli/word_list.h"
#include "output/file_target.h"
#include "platform/utf8_path.h"

namespace rating::cli {

namespace {

// What a run writes or reads at one path.
struct Use {
  std::string_view option;  // that names the file in a single run, without "--"
  Message role;             // "the rating file", "the inflow", ...
  int line;                 // of the CSV file; 0 for the batch table and a single run
  bool reads = false;       // read, not written
};

// The files a routing reads and writes, in the order their uses are told.
struct RoutingFile {
  std::string RouteOptions::*name;
  Message role;
  bool reads;
};
constexpr std::array<RoutingFile, 4> kRoutingFiles = {{
    {&RouteOptions::inflowFile, Message::WordsInflow, true},
    {&RouteOptions::pairsFile, Message::WordsStorageOutflow, true},
    {&RouteOptions::routedFile, Message::WordsRoutedHydrograph, false},
    {&RouteOptions::plotFile, Message::WordsHydrographPlot, false},
}};

std::string_view RouteOptionOf(std::string RouteOptions::*name) {
  RouteOptions options;
  return std::find_if(
             kRouteOptions.begin(), kRouteOptions.end(),
             [&](const RouteOptionFacts& facts) { return &facts.value(options) == &(options.*name); })
      ->name;
}

// "the batch file and the rating file of line 3", "the rating file of lines 2 and 4"
std::string DescribeUses(const std::vector<Use>& uses) {
  std::vector<Message> roles = {Message::WordsBatchFile, Message::WordsRatingFile};
  for (const ExportFacts& extra : kExports) roles.push_back(extra.role);
  for (const RoutingFile& file : kRoutingFiles) roles.push_back(file.role);
  std::vector<std::string> parts;
  for (const Message role : roles) {
    std::vector<std::string> lines;
    for (const Use& use : uses) {
      if (use.role == role) lines.push_back(std::to_string(use.line));
    }
    if (lines.empty()) continue;
    const Arg<"file"> file = Pattern(role);
    if (role == Message::WordsBatchFile) {
      parts.emplace_back(Pattern(role));
    } else {
      parts.push_back(lines.size() > 1 ? Compose(Message::WordsOfLines, file, Arg<"lines">(WordList(lines)))
                                       : Compose(Message::WordsOfLine, file, Arg<"lines">(WordList(lines))));
    }
  }
  return WordList(parts);
}

// Who uses each file, by the file's identity, in the order given.
class Uses {
 public:
  struct File {
    std::string path;  // resolved, UTF-8, as the first use spelt it; "standard output (-)"
    bool standardOutput = false;
    std::vector<Use> uses;
  };

  void Add(const std::string& name, Use use) {
    try {
      const std::filesystem::path target = ResolveTarget(name);
      File& file = byIdentity_[TargetIdentity(target)];
      if (file.uses.empty()) {
        file.standardOutput = IsStandardOutput(name);
        file.path = file.standardOutput ? std::string(Pattern(Message::WordsStandardOutput)) : Utf8Of(target);
      }
      file.uses.push_back(use);
    } catch (const std::system_error&) {
      // Fails later, with its own reach, and writes nothing.
    }
  }
  [[nodiscard]] const std::map<std::string, File>& ByIdentity() const { return byIdentity_; }

 private:
  std::map<std::string, File> byIdentity_;
};

// The files a run of `texts`, `extras` and `route` writes and reads: the
// rating's files where it rates, and the routing's where it routes.
void AddFiles(Uses& uses, const FieldTexts& texts, const ExtraFiles& extras, const RouteOptions& route,
              int line) {
  if (route.pairsFile.empty()) {
    uses.Add(OutputName(TextOf(texts, InputField::Filename)),
             {Facts(InputField::Filename).option, Message::WordsRatingFile, line});
    for (const ExportFacts& extra : kExports) {
      const std::string& name = extras.at(static_cast<std::size_t>(extra.what));
      if (!name.empty()) uses.Add(OutputName(name), {extra.option, extra.role, line});
    }
  }
  if (route.inflowFile.empty()) return;
  for (const RoutingFile& file : kRoutingFiles) {
    const std::string& name = route.*file.name;
    if (name.empty()) continue;
    uses.Add(file.reads ? name : OutputName(name), {RouteOptionOf(file.name), file.role, line, file.reads});
  }
}

// Whether `uses` of one file would write it twice, or write what is read.
bool Conflict(const std::vector<Use>& uses) {
  return std::count_if(uses.begin(), uses.end(), [](const Use& use) { return !use.reads; }) > 0 &&
         uses.size() > 1;
}

}  // namespace

std::string OutputName(const std::string& name) { return name == "-" ? "/dev/stdout" : name; }

std::optional<std::string> FindSharedOutput(const FieldTexts& texts, const ExtraFiles& extras,
                                            const RouteOptions& route) {
  Uses uses;
  AddFiles(uses, texts, extras, route, 0);
  for (const auto& [identity, file] : uses.ByIdentity()) {
    if (!Conflict(file.uses)) continue;
    // Outputs first, in the order given, then what is read.
    std::vector<Use> users = file.uses;
    std::stable_partition(users.begin(), users.end(), [](const Use& use) { return !use.reads; });
    const Arg<"first"> first = users[0].option;
    const Arg<"second"> second = users[1].option;
    if (users[1].reads) return Compose(Message::UsageOutputIsInput, first, second, Arg<"target">(file.path));
    if (file.standardOutput) return Compose(Message::UsageBothOnStandardOutput, first, second);
    return Compose(Message::UsageSameFile, first, second, Arg<"target">(file.path));
  }
  return std::nullopt;
}

std::vector<CommandFailure> FindSharedTargets(const std::string& batchFile,
                                              const std::vector<Reach>& reaches) {
  Uses uses;
  uses.Add(batchFile, {"batch", Message::WordsBatchFile, 0, true});
  for (const Reach& reach : reaches) {
    if (reach.error.empty()) AddFiles(uses, reach.texts, reach.extras, reach.route, reach.line);
  }
  std::vector<CommandFailure> conflicts;
  for (const auto& [identity, file] : uses.ByIdentity()) {
    if (!Conflict(file.uses)) continue;
    conflicts.emplace_back(Compose(Message::BatchSharedFile, Arg<"kind">(Pattern(Message::KindBatchConflict)),
                                   Arg<"path">(batchFile), Arg<"target">(file.path),
                                   Arg<"uses">(DescribeUses(file.uses))));
  }
  return conflicts;
}

}  // namespace rating::cli
