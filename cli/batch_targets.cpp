#include "cli/batch_targets.h"

#include <map>
#include <system_error>

#include "cli/word_list.h"
#include "engine/failure.h"
#include "output/safe_file.h"

namespace rating::cli {

namespace {

// What a batch writes or reads at one path.
enum class Role { BatchTable, RatingFile, Extra };

struct Use {
  Role role;
  int line;                   // of the CSV file; 0 for the batch table
  Extra extra = Extra::Plot;  // for Role::Extra
};

// "the batch file", "the rating file", "the plot", ...
std::string RoleName(const Use& use) {
  switch (use.role) {
    case Role::BatchTable: return "the batch file";
    case Role::RatingFile: return "the rating file";
    case Role::Extra: return std::string(kExtras.at(static_cast<std::size_t>(use.extra)).role);
  }
  return "a file";
}

// "the batch file and the rating file of line 3", "the rating file of lines 2 and 4"
std::string DescribeUses(const std::vector<Use>& uses) {
  std::vector<Use> roles = {{Role::BatchTable, 0}, {Role::RatingFile, 0}};
  for (const ExtraFacts& extra : kExtras) roles.push_back({Role::Extra, 0, extra.extra});
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
      parts.push_back(RoleName(role) + " of line" + (lines.size() > 1 ? "s " : " ") + WordList(lines));
    }
  }
  return WordList(parts);
}

}  // namespace

std::string OutputName(const std::string& name) { return name == "-" ? "/dev/stdout" : name; }

std::vector<RatingFailure> FindSharedTargets(const std::string& batchFile,
                                             const std::vector<Reach>& reaches) {
  std::map<std::string, std::vector<Use>> uses;  // resolved path -> who uses it, in file order
  const auto add = [&uses](const std::string& name, Use use) {
    try {
      uses[ResolveTarget(name).string()].push_back(use);
    } catch (const std::system_error&) {
      // Fails later, with its own reach, and writes nothing.
    }
  };
  add(batchFile, {Role::BatchTable, 0});
  for (const Reach& reach : reaches) {
    if (!reach.error.empty()) continue;
    add(OutputName(reach.texts.at(static_cast<std::size_t>(InputField::Filename))),
        {Role::RatingFile, reach.line});
    for (const ExtraFacts& extra : kExtras) {
      const std::string& name = reach.extras.at(static_cast<std::size_t>(extra.extra));
      if (!name.empty()) add(OutputName(name), {Role::Extra, reach.line, extra.extra});
    }
  }

  std::vector<RatingFailure> conflicts;
  for (const auto& [path, users] : uses) {
    if (users.size() < 2) continue;
    std::string detail = "\"" + batchFile + "\": \"";
    detail.append(path).append("\" is ").append(DescribeUses(users)).append(".");
    conflicts.emplace_back(FailureKind::BatchConflict, detail);
  }
  return conflicts;
}

}  // namespace rating::cli
