#include "cli/batch_targets.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "cli/word_list.h"
#include "output/file_target.h"
#include "output/utf8_path.h"

namespace rating::cli {

namespace {

// What a run writes or reads at one path.
enum class Role { BatchTable, RatingFile, Extra };

struct Use {
  Role role;
  int line;                          // of the CSV file; 0 for the batch table and a single run
  Export extra = Export::CurvesSvg;  // for Role::Extra
};

// "the batch file", "the rating file", "the plot", ...
std::string RoleName(const Use& use) {
  switch (use.role) {
    case Role::BatchTable: return std::string(Pattern(Message::WordsBatchFile));
    case Role::RatingFile: return std::string(Pattern(Message::WordsRatingFile));
    case Role::Extra: break;
  }
  return std::string(Pattern(FactsOf(use.extra).role));
}

// "output", "plot", ...: the option that names the file of a single run.
std::string_view OptionOf(const Use& use) {
  return use.role == Role::Extra ? FactsOf(use.extra).option : Facts(InputField::Filename).option;
}

// "the batch file and the rating file of line 3", "the rating file of lines 2 and 4"
std::string DescribeUses(const std::vector<Use>& uses) {
  std::vector<Use> roles = {{Role::BatchTable, 0}, {Role::RatingFile, 0}};
  for (const ExportFacts& extra : kExports) roles.push_back({Role::Extra, 0, extra.what});
  std::vector<std::string> parts;
  for (const Use& role : roles) {
    std::vector<std::string> lines;
    for (const Use& use : uses) {
      if (RoleName(use) == RoleName(role)) lines.push_back(std::to_string(use.line));
    }
    if (lines.empty()) continue;
    if (role.role == Role::BatchTable) {
      parts.push_back(RoleName(role));
    } else {
      parts.push_back(
          lines.size() > 1
              ? Compose(Message::WordsOfLines, Arg<"file">(RoleName(role)), Arg<"lines">(WordList(lines)))
              : Compose(Message::WordsOfLine, Arg<"file">(RoleName(role)), Arg<"lines">(WordList(lines))));
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

void AddOutputs(Uses& uses, const FieldTexts& texts, const ExtraFiles& extras, int line) {
  uses.Add(OutputName(TextOf(texts, InputField::Filename)), {Role::RatingFile, line});
  for (const ExportFacts& extra : kExports) {
    const std::string& name = extras.at(static_cast<std::size_t>(extra.what));
    if (!name.empty()) uses.Add(OutputName(name), {Role::Extra, line, extra.what});
  }
}

}  // namespace

std::string OutputName(const std::string& name) { return name == "-" ? "/dev/stdout" : name; }

std::optional<std::string> FindSharedOutput(const FieldTexts& texts, const ExtraFiles& extras) {
  Uses uses;
  AddOutputs(uses, texts, extras, 0);
  for (const auto& [identity, file] : uses.ByIdentity()) {
    const std::vector<Use>& users = file.uses;
    if (users.size() < 2) continue;
    const Arg<"first"> first = OptionOf(users[0]);
    const Arg<"second"> second = OptionOf(users[1]);
    if (file.standardOutput) return Compose(Message::UsageBothOnStandardOutput, first, second);
    return Compose(Message::UsageSameFile, first, second, Arg<"target">(file.path));
  }
  return std::nullopt;
}

std::vector<CommandFailure> FindSharedTargets(const std::string& batchFile,
                                              const std::vector<Reach>& reaches) {
  Uses uses;
  uses.Add(batchFile, {Role::BatchTable, 0});
  for (const Reach& reach : reaches) {
    if (reach.error.empty()) AddOutputs(uses, reach.texts, reach.extras, reach.line);
  }
  std::vector<CommandFailure> conflicts;
  for (const auto& [identity, file] : uses.ByIdentity()) {
    if (file.uses.size() < 2) continue;
    conflicts.emplace_back(Compose(Message::BatchSharedFile, Arg<"kind">(Pattern(Message::KindBatchConflict)),
                                   Arg<"path">(batchFile), Arg<"target">(file.path),
                                   Arg<"uses">(DescribeUses(file.uses))));
  }
  return conflicts;
}

}  // namespace rating::cli
