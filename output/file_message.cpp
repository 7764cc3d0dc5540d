#include "output/file_message.h"

#include <filesystem>

#include "messages/messages.h"
#include "output/file_name.h"
#include "output/file_problem.h"
#include "output/file_target.h"
#include "output/safe_file.h"
#include "platform/utf8_path.h"

namespace rating {

std::string FileMessage(std::string_view kindText, const std::string& name, std::error_code reason) {
  const std::filesystem::path path = PathFromUtf8(name);
  if (reason == std::error_code(static_cast<int>(FileProblem::FolderMissing), FileProblems())) {
    // The folder named once, whole, in place of the folder of a relative name.
    std::error_code noFolder;
    const std::filesystem::path absolute = AbsoluteNormal(path, noFolder);
    if (!noFolder && absolute.has_parent_path()) {
      const std::string folder = Utf8Of(absolute.parent_path());
      const std::string why = Compose(Message::ReasonFolderMissingNamed, Arg<"folder">(folder));
      return Compose(Message::FileProblem, Arg<"kind">(kindText), Arg<"path">(name), Arg<"reason">(why));
    }
  }
  const std::string why = reason.message();
  if (!name.empty() && path.is_relative()) {
    // The folder the name is in, made absolute by itself: Windows makes a
    // device name such as "nul" absolute as "\\.\nul", in no folder at all.
    std::error_code noFolder;
    const std::filesystem::path typedFolder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string folder = Utf8Of(AbsoluteNormal(typedFolder / "-", noFolder).parent_path());
    if (!noFolder) {
      return Compose(Message::FileProblemInFolder, Arg<"kind">(kindText), Arg<"path">(name),
                     Arg<"folder">(folder), Arg<"reason">(why));
    }
  }
  return Compose(Message::FileProblem, Arg<"kind">(kindText), Arg<"path">(name), Arg<"reason">(why));
}

std::optional<std::string> LeftoversNote(const std::string& name, bool namesFile) {
  std::filesystem::path target;
  try {
    target = ResolveTarget(name);
  } catch (const std::system_error&) {
    return std::nullopt;  // no file there to have left anything
  }
  const std::size_t count = CountLeftovers(target);
  if (count == 0) return std::nullopt;
  const std::string pattern = PartialPattern(target);
  const std::string counted = std::to_string(count);
  if (namesFile) {
    return count == 1 ? Compose(Message::NoteLeftoverOneOf, Arg<"path">(name), Arg<"pattern">(pattern))
                      : Compose(Message::NoteLeftoversOf, Arg<"count">(counted), Arg<"path">(name),
                                Arg<"pattern">(pattern));
  }
  return count == 1 ? Compose(Message::NoteLeftoverOne, Arg<"pattern">(pattern))
                    : Compose(Message::NoteLeftovers, Arg<"count">(counted), Arg<"pattern">(pattern));
}

RatingFailure FileFailure(FailureKind kind, const std::string& name, std::error_code reason) {
  return {kind, FileMessage(FailureKindText(kind), name, reason), InputField::Filename};
}

}  // namespace rating
