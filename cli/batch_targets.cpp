#include "cli/batch_targets.h"

#include <map>
#include <system_error>

#include "engine/failure.h"
#include "output/safe_file.h"

namespace rating::cli {

namespace {

// What a batch writes or reads at one path.
enum class Role { BatchTable, RatingFile, Plot };

struct Use {
  Role role;
  int line;  // of the CSV file; 0 for the batch table
};

// "2", "2 and 3", "2, 3 and 4"
std::string JoinLines(const std::vector<int>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
    text += std::to_string(lines[i]);
  }
  return text;
}

// "the batch file and the rating file of line 3", "the rating file of lines 2 and 4"
std::string DescribeUses(const std::vector<Use>& uses) {
  std::vector<std::string> parts;
  for (const Role role : {Role::BatchTable, Role::RatingFile, Role::Plot}) {
    std::vector<int> lines;
    for (const Use& use : uses) {
      if (use.role == role) lines.push_back(use.line);
    }
    if (lines.empty()) continue;
    if (role == Role::BatchTable) {
      parts.emplace_back("the batch file");
    } else {
      parts.push_back(std::string(role == Role::RatingFile ? "the rating file" : "the plot") + " of line" +
                      (lines.size() > 1 ? "s " : " ") + JoinLines(lines));
    }
  }
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
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
    if (!reach.plot.empty()) add(OutputName(reach.plot), {Role::Plot, reach.line});
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
