#include "engine/failure.h"

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

RatingFailure FieldFailure(FailureKind kind, FieldMessage message, InputField field, std::string_view text,
                           UnitSystem units) {
  return {kind,
          Compose(message, Arg<"kind">(FailureKindText(kind)), Arg<"field">(FieldLabel(field, units)),
                  Arg<"text">(text)),
          field};
}

}  // namespace rating
