#include "engine/failure.h"

#include <filesystem>

namespace rating {

std::string_view FailureKindText(FailureKind kind) {
  switch (kind) {
    case FailureKind::TypeMismatch: return Pattern(Message::KindTypeMismatch);
    case FailureKind::Overflow: return Pattern(Message::KindOverflow);
    case FailureKind::DivisionByZero: return Pattern(Message::KindDivisionByZero);
    case FailureKind::InvalidArgument: return Pattern(Message::KindInvalidArgument);
    case FailureKind::IndexOutOfRange: return Pattern(Message::KindIndexOutOfRange);
    case FailureKind::InvalidText: return Pattern(Message::KindInvalidText);
    case FailureKind::FileCreate: return Pattern(Message::KindFileCreate);
    case FailureKind::FileWrite: return Pattern(Message::KindFileWrite);
  }
  return Pattern(Message::KindInvalidArgument);
}

RatingFailure::RatingFailure(FailureKind kind, const std::string& message, std::optional<InputField> field,
                             std::optional<int> row)
    : std::runtime_error(message), kind_(kind), field_(field), row_(row) {}

RatingFailure RatingFailure::At(RunStage stage) const {
  RatingFailure met(*this);
  met.stage_ = stage;
  return met;
}

RatingFailure FieldFailure(FailureKind kind, FieldMessage message, InputField field, std::string_view text) {
  return {kind,
          Compose(message, Arg<"kind">(FailureKindText(kind)), Arg<"field">(FieldLabel(field)),
                  Arg<"text">(text)),
          field};
}

std::string FileMessage(std::string_view kindText, const std::string& name, std::error_code reason) {
  const std::string why = reason.message();
  // Names are UTF-8 wherever the program runs, never the ANSI code page.
  const std::filesystem::path path(std::u8string(name.begin(), name.end()));
  if (!name.empty() && path.is_relative()) {
    // The folder the name is in, made absolute by itself: Windows makes a
    // device name such as "nul" absolute as "\\.\nul", in no folder at all.
    std::error_code noFolder;
    const std::filesystem::path typedFolder = path.has_parent_path() ? path.parent_path() : ".";
    const std::u8string folder =
        (std::filesystem::absolute(typedFolder, noFolder) / "-").lexically_normal().parent_path().u8string();
    if (!noFolder) {
      return Compose(Message::FileProblemInFolder, Arg<"kind">(kindText), Arg<"path">(name),
                     Arg<"folder">(std::string(folder.begin(), folder.end())), Arg<"reason">(why));
    }
  }
  return Compose(Message::FileProblem, Arg<"kind">(kindText), Arg<"path">(name), Arg<"reason">(why));
}

RatingFailure FileFailure(FailureKind kind, const std::string& name, std::error_code reason) {
  return {kind, FileMessage(FailureKindText(kind), name, reason), InputField::Filename};
}

}  // namespace rating
