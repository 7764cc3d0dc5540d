#include "cli/command_line.h"

#include <algorithm>
#include <optional>

namespace rating::cli {

namespace {

constexpr std::string_view kProgram = "trapezoid-rating-cli";
constexpr std::string_view kBatch = "batch";
constexpr std::size_t kHelpWidth = 79;  // columns

// One option of the command line.
struct Option {
  std::string name;       // without dashes: "width", "n", "batch"
  std::string valueName;  // empty for a switch
  std::string help;
};

// "--width" for a long option, "-n" for a one-letter one.
std::string Spelled(const std::string& name) { return (name.size() == 1 ? "-" : "--") + name; }

std::string Wrapped(const std::string& text, std::size_t indent) {
  std::string wrapped;
  std::size_t column = indent;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view word = std::string_view(text).substr(at, end - at);
    if (column > indent && column + 1 + word.size() > kHelpWidth) {
      wrapped.append("\n").append(indent, ' ');
      column = indent;
    } else if (column > indent) {
      wrapped += ' ';
      ++column;
    }
    wrapped.append(word);
    column += word.size();
    at = end + 1;
  }
  return wrapped;
}

std::string HelpText(const std::vector<Option>& options) {
  std::string help = Compose(Message::HelpHeading, Arg<"program">(kProgram));
  std::vector<std::string> heads;
  std::size_t width = 0;
  for (const Option& option : options) {
    std::string head = option.name == "help"      ? "-h, --help"
                       : option.name == "version" ? "-v, --version"
                                                  : Spelled(option.name);
    if (!option.valueName.empty()) head.append(" <").append(option.valueName).append(">");
    width = std::max(width, head.size());
    heads.push_back(head);
  }
  const std::size_t indent = 2 + width + 2;
  for (std::size_t i = 0; i < options.size(); ++i) {
    help.append("  ").append(heads[i]).append(width - heads[i].size() + 2, ' ');
    help.append(Wrapped(options[i].help, indent)).append("\n");
  }
  return help;
}

}  // namespace

Request ParseCommandLine(const std::vector<std::string>& arguments, std::string_view decimalSeparator,
                         std::string_view version) {
  std::vector<Option> options = {{"help", "", std::string(Pattern(Message::HelpOptionHelp))},
                                 {"version", "", std::string(Pattern(Message::HelpOptionVersion))}};
  Request request;
  request.texts = DefaultFieldTexts(decimalSeparator);
  for (const FieldFacts& field : kFields) {
    options.push_back({std::string(field.option), "text",
                       Compose(Message::HelpOptionDefault, Arg<"help">(Pattern(field.optionHelp)),
                               Arg<"text">(TextOf(request.texts, field.field)))});
  }
  for (const ExportFacts& extra : kExports) {
    options.push_back(
        {std::string(extra.option), std::string(extra.valueName), std::string(Pattern(extra.optionHelp))});
  }
  options.push_back({std::string(kBatch), "reaches.csv", std::string(Pattern(Message::HelpOptionBatch))});

  std::vector<std::optional<std::string>> values(options.size());
  bool help = false;
  bool showVersion = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "-h" || argument == "-?" || argument == "--help" || argument == "--help-all") {
      help = true;
      continue;
    }
    if (argument == "-v" || argument == "--version") {
      showVersion = true;
      continue;
    }
    if (!argument.starts_with('-') || argument == "-") {
      throw UsageError(Compose(Message::UsageUnexpectedArgument, Arg<"argument">(argument)));
    }
    const bool twoDashes = argument.starts_with("--");
    std::string name = argument.substr(twoDashes ? 2 : 1);
    std::optional<std::string> inlineValue;
    if (const auto equals = name.find('='); equals != std::string::npos) {
      inlineValue = name.substr(equals + 1);
      name.erase(equals);
    }
    const auto known = std::find_if(options.begin(), options.end(), [&name, twoDashes](const Option& option) {
      return option.name == name && !option.valueName.empty() && (twoDashes || name.size() == 1);
    });
    if (known == options.end()) throw UsageError(Compose(Message::UsageUnknownOption, Arg<"option">(name)));
    std::optional<std::string>& value = values[static_cast<std::size_t>(known - options.begin())];
    if (inlineValue) {
      value = *inlineValue;
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      throw UsageError(Compose(Message::UsageMissingValue, Arg<"option">(argument)));
    }
  }

  if (help) {
    request.mode = Mode::Help;
    request.message = HelpText(options);
    return request;
  }
  if (showVersion) {
    request.mode = Mode::Version;
    request.message = std::string(kProgram).append(" ").append(version).append("\n");
    return request;
  }
  const auto valueOf = [&](std::string_view name) -> const std::optional<std::string>& {
    const auto at =
        std::find_if(options.begin(), options.end(), [name](const Option& o) { return o.name == name; });
    return values[static_cast<std::size_t>(at - options.begin())];
  };
  for (const FieldFacts& field : kFields) {
    if (const auto& value = valueOf(field.option)) TextOf(request.texts, field.field) = *value;
  }
  const std::optional<std::string>& batch = valueOf(kBatch);
  for (const ExportFacts& extra : kExports) {
    const std::optional<std::string>& value = valueOf(extra.option);
    if (!value) continue;
    if (batch) throw UsageError(Compose(Message::UsageExtraInBatch, Arg<"option">(extra.option)));
    request.extras.at(static_cast<std::size_t>(extra.what)) = *value;
  }
  if (batch) {
    request.mode = Mode::Batch;
    request.batchFile = *batch;
  }
  return request;
}

}  // namespace rating::cli
