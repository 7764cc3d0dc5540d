#pragma once

// Every failure that ordinary input to the channel fields reaches, with its
// kind. The rating tests check the kinds; the message catalogue test renders
// each case's message, so that all texts are reviewed in one golden file.

#include <ostream>
#include <string>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/failure.h"

namespace rating {

// One field typed differently from the default texts.
struct FieldEdit {
  std::string ChannelTexts::*field;
  const char* text;
};

struct FailureCase {
  const char* name;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
  std::vector<FieldEdit> edits;  // applied to the default texts
  FailureKind kind;
};

inline ChannelTexts DefaultChannelTexts() { return {"3000", "50", "2", "110", "5.5", "0.025", "0.0", "0.2"}; }

// The default texts with a case's edits.
inline ChannelTexts TextsOf(const FailureCase& c) {
  ChannelTexts texts = DefaultChannelTexts();
  for (const FieldEdit& edit : c.edits) texts.*edit.field = edit.text;
  return texts;
}

inline std::vector<FailureCase> ConversionsFailures() {
  return {
      FailureCase{"EmptyField", {{&ChannelTexts::bottomWidth, ""}}, FailureKind::TypeMismatch},
      FailureCase{"MaximumFlowIsReadFirst",
                  {{&ChannelTexts::maxFlow, "x"},
                   {&ChannelTexts::bottomWidth, "x"},
                   {&ChannelTexts::bankSlope, "x"},
                   {&ChannelTexts::fall, "x"},
                   {&ChannelTexts::length, "x"},
                   {&ChannelTexts::roughness, "x"},
                   {&ChannelTexts::invert, "x"},
                   {&ChannelTexts::increment, "x"}},
                  FailureKind::TypeMismatch},
      FailureCase{"BankBeforeFall",
                  {{&ChannelTexts::bankSlope, "2:1"}, {&ChannelTexts::fall, "?"}},
                  FailureKind::TypeMismatch},
      FailureCase{"LengthBeforeN",
                  {{&ChannelTexts::length, "5.5 mi"}, {&ChannelTexts::roughness, "n"}},
                  FailureKind::TypeMismatch},
      FailureCase{"IncrementIsReadLast", {{&ChannelTexts::increment, "0.2ft"}}, FailureKind::TypeMismatch},
      FailureCase{"FieldBeyondSingleRange", {{&ChannelTexts::invert, "1e39"}}, FailureKind::Overflow}};
}

inline std::vector<FailureCase> DerivedValuesFailures() {
  return {FailureCase{"LengthZero", {{&ChannelTexts::length, "0"}}, FailureKind::DivisionByZero},
          FailureCase{"LengthAndFallZero",
                      {{&ChannelTexts::length, "0"}, {&ChannelTexts::fall, "0"}},
                      FailureKind::InvalidArgument},
          FailureCase{"LengthZeroBeforeNZero",
                      {{&ChannelTexts::length, "0"}, {&ChannelTexts::roughness, "0"}},
                      FailureKind::DivisionByZero},
          FailureCase{"RoughnessZero", {{&ChannelTexts::roughness, "0"}}, FailureKind::DivisionByZero},
          FailureCase{"RoughnessTiny", {{&ChannelTexts::roughness, "1e-40"}}, FailureKind::Overflow},
          FailureCase{"LengthHuge", {{&ChannelTexts::length, "1e36"}}, FailureKind::Overflow}};
}

inline std::vector<FailureCase> RowsFailures() {
  return {
      FailureCase{"FallZero", {{&ChannelTexts::fall, "0"}}, FailureKind::DivisionByZero},
      FailureCase{"DepthBeyondRange",
                  {{&ChannelTexts::increment, "1e38"}, {&ChannelTexts::maxFlow, "3e38"}},
                  FailureKind::Overflow},
      FailureCase{"MaximumNeverReached", {{&ChannelTexts::maxFlow, "1e30"}}, FailureKind::IndexOutOfRange}};
}

// A negative size is refused where it is typed, before any row, instead of
// failing far from the cause or giving a plausible-looking table.
inline std::vector<FailureCase> NegativeGeometryFailures() {
  return {FailureCase{"Width", {{&ChannelTexts::bottomWidth, "-50"}}, FailureKind::InvalidArgument},
          FailureCase{"BankSlope", {{&ChannelTexts::bankSlope, " -1 "}}, FailureKind::InvalidArgument},
          FailureCase{"Fall", {{&ChannelTexts::fall, "-110"}}, FailureKind::InvalidArgument},
          FailureCase{"Length", {{&ChannelTexts::length, "-5.5"}}, FailureKind::InvalidArgument},
          FailureCase{"Roughness", {{&ChannelTexts::roughness, "-0.025"}}, FailureKind::InvalidArgument},
          FailureCase{"Increment", {{&ChannelTexts::increment, "-0.2"}}, FailureKind::InvalidArgument},
          FailureCase{"WidthBeforeFall",
                      {{&ChannelTexts::bottomWidth, "-1"}, {&ChannelTexts::fall, "-1"}},
                      FailureKind::InvalidArgument},
          FailureCase{"NegativeZeroIsZero", {{&ChannelTexts::fall, "-0"}}, FailureKind::DivisionByZero}};
}

}  // namespace rating
