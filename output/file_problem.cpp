#include "output/file_problem.h"

#include <string>

#include "messages/messages.h"

namespace rating {

namespace {

class FileProblemCategory : public std::error_category {
 public:
  [[nodiscard]] const char* name() const noexcept override { return "file name"; }
  [[nodiscard]] std::string message(int code) const override {
    return std::string(Pattern(ReasonOf(static_cast<FileProblem>(code))));
  }

 private:
  static Message ReasonOf(FileProblem problem) {
    switch (problem) {
      case FileProblem::ReservedName: return Message::ReasonReservedName;
      case FileProblem::BadCharacter: return Message::ReasonBadCharacter;
      case FileProblem::TrailingDotOrBlank: return Message::ReasonTrailingDotOrBlank;
      case FileProblem::FolderNotWritable: return Message::ReasonFolderNotWritable;
      case FileProblem::NamesAFolder: return Message::ReasonNamesAFolder;
      case FileProblem::NotAFile: return Message::ReasonNotAFile;
      case FileProblem::FolderMissing: return Message::ReasonFolderMissing;
    }
    return Message::ReasonNameRefused;
  }
};

}  // namespace

const std::error_category& FileProblems() {
  static const FileProblemCategory kCategory;
  return kCategory;
}

void Fail(FileProblem problem) { throw std::system_error(static_cast<int>(problem), FileProblems()); }

}  // namespace rating
