#include "engine/failure.h"

namespace rating {

std::string_view FailureKindText(FailureKind kind) {
  switch (kind) {
    case FailureKind::TypeMismatch: return "Type mismatch";
    case FailureKind::Overflow: return "Overflow";
    case FailureKind::DivisionByZero: return "Division by zero";
    case FailureKind::InvalidArgument: return "Invalid argument";
    case FailureKind::IndexOutOfRange: return "Index out of range";
    case FailureKind::InvalidText: return "Invalid text";
    case FailureKind::FileCreate: return "Cannot create rating file";
    case FailureKind::FileWrite: return "Cannot write rating file";
    case FailureKind::BatchFile: return "Cannot read batch file";
    case FailureKind::PlotFile: return "Cannot write plot";
  }
  return "Failure";
}

namespace {

std::string ComposeMessage(FailureKind kind, const std::string& detail) {
  // The file kinds read as a sentence with the file name that follows them:
  // 'Cannot create rating file "x.RAT": Permission denied.'
  const bool isFileKind = kind == FailureKind::FileCreate || kind == FailureKind::FileWrite ||
                          kind == FailureKind::BatchFile || kind == FailureKind::PlotFile;
  return std::string(FailureKindText(kind)) + (isFileKind ? " " : ": ") + detail;
}

}  // namespace

RatingFailure::RatingFailure(FailureKind kind, const std::string& detail, std::optional<InputField> field)
    : std::runtime_error(ComposeMessage(kind, detail)), kind_(kind), field_(field) {}

}  // namespace rating
