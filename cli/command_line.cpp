#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <optional>

#include "engine/failure.h"
#include "engine/trimmed_text.h"

namespace rating::cli {

namespace {

constexpr std::string_view kProgram = "trapezoid-rating-cli";

// "--width" for a long option; "-n,--n" for a one-letter one, which takes one
// dash or two.
std::string NamesOf(std::string_view name) {
  std::string names = name.size() == 1 ? std::string("-").append(name).append(",") : std::string();
  return names.append("--").append(name);
}

// What went wrong with the first argument that no option took: an unknown
// option ("--bogus=3" is the option 'bogus') or a stray word ("50", "-").
[[noreturn]] void RefuseUnexpected(const std::string& argument) {
  if (argument.size() < 2 || !argument.starts_with('-')) {
    throw UsageError(Compose(Message::UsageUnexpectedArgument, Arg<"argument">(argument)));
  }
  std::string name =
      argument.substr(argument.find_first_not_of('-') == std::string::npos ? argument.size()
                                                                           : argument.find_first_not_of('-'));
  name.erase(std::min(name.find('='), name.size()));
  throw UsageError(Compose(Message::UsageUnknownOption, Arg<"option">(name)));
}

}  // namespace

Request ParseCommandLine(const std::vector<std::string>& arguments, std::string_view decimalSeparator,
                         std::string_view version) {
  Request request;
  request.texts = DefaultFieldTexts(decimalSeparator);
  // --help names the units of the system asked for: "--units si --help".
  UnitSystem helpUnits = UnitSystem::UsCustomary;
  for (std::size_t k = 1; k < arguments.size(); ++k) {
    const std::string_view argument = arguments[k];
    const std::string_view option = "--units";
    if (argument == option && k + 1 < arguments.size()) {
      helpUnits = NamesWord(arguments[k + 1], "si") ? UnitSystem::Si : UnitSystem::UsCustomary;
    } else if (argument.starts_with(option) && argument.size() > option.size() &&
               argument[option.size()] == '=') {
      helpUnits =
          NamesWord(argument.substr(option.size() + 1), "si") ? UnitSystem::Si : UnitSystem::UsCustomary;
    }
  }

  CLI::App app;
  app.set_help_flag();
  app.allow_extras();
  // An option given twice takes its last value.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  bool help = false;
  bool showVersion = false;
  app.add_flag("-h,-?,--help,--help-all", help, std::string(Pattern(Message::HelpOptionHelp)));
  app.add_flag("-v,--version", showVersion, std::string(Pattern(Message::HelpOptionVersion)));
  std::array<std::optional<std::string>, kFieldCount> fieldValues;
  for (const FieldFacts& field : kFields) {
    app.add_option(NamesOf(field.option), fieldValues.at(static_cast<std::size_t>(field.field)),
                   Compose(Message::HelpOptionDefault, Arg<"help">(Pattern(field.optionHelp, helpUnits)),
                           Arg<"text">(TextOf(request.texts, field.field))))
        ->type_name("<text>");
  }
  std::optional<std::string> section;
  app.add_option(NamesOf(kSectionOption), section, std::string(Pattern(Message::HelpOptionSection)))
      ->type_name("<points.csv>");
  std::array<std::optional<std::string>, kExports.size()> exportValues;
  for (const ExportFacts& extra : kExports) {
    app.add_option(NamesOf(extra.option), exportValues.at(static_cast<std::size_t>(extra.what)),
                   std::string(Pattern(extra.optionHelp)))
        ->type_name(std::string("<").append(extra.valueName).append(">"));
  }
  std::optional<std::string> batch;
  app.add_option("--batch", batch, std::string(Pattern(Message::HelpOptionBatch)))
      ->type_name("<reaches.csv>");
  // Routing a flood through the reach just rated.
  RouteOptions& route = request.route;
  std::array<CLI::Option*, kRouteOptions.size()> routeGiven{};
  for (std::size_t k = 0; k < kRouteOptions.size(); ++k) {
    const RouteOptionFacts& facts = kRouteOptions.at(k);
    routeGiven.at(k) =
        app.add_option(NamesOf(facts.name), facts.value(route), std::string(Pattern(facts.help, helpUnits)))
            ->type_name(std::string(helpUnits == UnitSystem::Si && !facts.siValueName.empty()
                                        ? facts.siValueName
                                        : facts.valueName));
  }

  // CLI11 takes its arguments last first, without the program's name. It
  // reads "--title=" as a title left out, where it is an empty title.
  std::vector<std::string> reversed;
  for (auto argument = arguments.rbegin(); argument != std::prev(arguments.rend()); ++argument) {
    if (argument->starts_with("--") && argument->ends_with('=')) {
      reversed.emplace_back();
      reversed.push_back(argument->substr(0, argument->size() - 1));
    } else {
      reversed.push_back(*argument);
    }
  }
  try {
    app.parse(reversed);
  } catch (const CLI::ArgumentMismatch&) {
    // An option's value is taken whatever it looks like, so only the last
    // argument can lack one.
    throw UsageError(Compose(Message::UsageMissingValue, Arg<"option">(arguments.back())));
  }
  if (const std::vector<std::string> left = app.remaining(); !left.empty()) RefuseUnexpected(left.front());

  if (help) {
    request.mode = Mode::Help;
    request.message = Compose(Message::HelpHeading, Arg<"program">(kProgram));
    const CLI::Formatter formatter;
    for (const CLI::Option* option : app.get_options()) {
      request.message.append(formatter.make_option(option, false));
    }
    return request;
  }
  if (showVersion) {
    request.mode = Mode::Version;
    request.message = std::string(kProgram).append(" ").append(version).append("\n");
    return request;
  }
  // Pairs from a file route without a rating: an option of the rating has
  // nothing to rate.
  const bool pairsGiven = !batch && !route.pairsFile.empty();
  for (const FieldFacts& field : kFields) {
    if (const auto& value = fieldValues.at(static_cast<std::size_t>(field.field))) {
      // The units are the pairs' too.
      if (pairsGiven && field.field != InputField::Units) {
        throw UsageError(Compose(Message::UsageRatingWithPairs, Arg<"option">(field.option)));
      }
      TextOf(request.texts, field.field) = *value;
      request.given |= FieldsOf({field.field});
    }
  }
  for (const ExportFacts& extra : kExports) {
    const std::optional<std::string>& value = exportValues.at(static_cast<std::size_t>(extra.what));
    if (!value) continue;
    if (batch) throw UsageError(Compose(Message::UsageExtraInBatch, Arg<"option">(extra.option)));
    if (pairsGiven) throw UsageError(Compose(Message::UsageRatingWithPairs, Arg<"option">(extra.option)));
    request.extras.at(static_cast<std::size_t>(extra.what)) = *value;
  }
  for (std::size_t k = 0; k < kRouteOptions.size(); ++k) {
    if (routeGiven.at(k)->count() == 0) continue;
    const Arg<"option"> option(kRouteOptions.at(k).name);
    if (batch) throw UsageError(Compose(Message::UsageRouteInBatch, option));
    if (route.inflowFile.empty()) throw UsageError(Compose(Message::UsageRouteOptionAlone, option));
  }
  if (section) {
    if (pairsGiven) throw UsageError(Compose(Message::UsageRatingWithPairs, Arg<"option">(kSectionOption)));
    request.sectionFile = *section;
  }
  if (batch) {
    request.mode = Mode::Batch;
    request.batchFile = *batch;
  } else if (!pairsGiven) {
    if (std::optional<std::string> refused =
            ShapeRefusal(request.texts, request.given, section.has_value(),
                         !request.extras.at(static_cast<std::size_t>(Export::SectionCsv)).empty())) {
      throw UsageError(*refused);
    }
  }
  return request;
}

std::optional<std::string> ShapeRefusal(const FieldTexts& texts, FieldSet given, bool sectionGiven,
                                        bool sectionCsvGiven) {
  SectionShape shape = SectionShape::Trapezoid;
  try {
    shape = ReadSectionShape(TextOf(texts, InputField::Shape));
  } catch (const RatingFailure&) {
    return std::nullopt;
  }
  std::string name(Pattern(Facts(shape).label));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const auto refuse = [&name](std::string_view option) {
    return Compose(Message::UsageShapeDoesNotUse, Arg<"option">(option), Arg<"shape">(name));
  };
  for (const FieldFacts& field : kFields) {
    if ((given & FieldsOf({field.field})) != 0 && !Uses(shape, field.field)) return refuse(field.option);
  }
  if (shape == SectionShape::Surveyed) {
    if (!sectionGiven) return std::string(Pattern(Message::UsageSectionNeedsPoints));
  } else if (sectionGiven) {
    return refuse(kSectionOption);
  } else if (sectionCsvGiven) {
    return refuse(FactsOf(Export::SectionCsv).option);
  }
  return std::nullopt;
}

}  // namespace rating::cli
