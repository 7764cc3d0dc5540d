#include "engine/failure.h"

#include <filesystem>

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
    case FailureKind::BatchConflict: return "Batch refused";
    case FailureKind::MalformedRow: return "Malformed row";
    case FailureKind::ExportFile: return "Cannot write export";
  }
  return "Failure";
}

namespace {

std::string ComposeMessage(FailureKind kind, const std::string& detail) {
  // The file kinds read as a sentence with the file name that follows them:
  // 'Cannot create rating file "x.RAT": Permission denied.'
  const bool isFileKind = kind == FailureKind::FileCreate || kind == FailureKind::FileWrite ||
                          kind == FailureKind::BatchFile || kind == FailureKind::PlotFile ||
                          kind == FailureKind::BatchConflict || kind == FailureKind::ExportFile;
  return std::string(FailureKindText(kind)) + (isFileKind ? " " : ": ") + detail;
}

}  // namespace

RatingFailure::RatingFailure(FailureKind kind, const std::string& detail, std::optional<InputField> field)
    : std::runtime_error(ComposeMessage(kind, detail)), kind_(kind), field_(field) {}

namespace {

// A name as a message shows it: control characters, which a message box or
// terminal would swallow, as \xNN.
std::string Shown(const std::string& name) {
  std::string shown;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[(static_cast<unsigned char>(c) >> 4U) & 0xFU];
      shown += kHex[static_cast<unsigned char>(c) & 0xFU];
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

RatingFailure FieldFailure(FailureKind kind, InputField field, std::string_view detail) {
  std::string text(Facts(field).label);
  text.append(" ").append(detail);
  return {kind, text, field};
}

RatingFailure RowFailure(FailureKind kind, int row, std::string_view detail) {
  std::string text = std::string("row ").append(std::to_string(row)).append(", ");
  text.append(detail);
  return {kind, text};
}

RatingFailure FileFailure(FailureKind kind, const std::string& name, std::error_code reason,
                          std::optional<InputField> field) {
  std::string detail = "\"";
  detail.append(Shown(name)).append("\"");
  std::error_code noFolder;
  const std::filesystem::path path(name);
  if (!name.empty() && path.is_relative()) {
    const std::filesystem::path folder =
        std::filesystem::absolute(path, noFolder).lexically_normal().parent_path();
    if (!noFolder) detail.append(" in \"").append(Shown(folder.string())).append("\"");
  }
  detail.append(": ").append(reason.message()).append(".");
  return {kind, detail, field};
}

}  // namespace rating
