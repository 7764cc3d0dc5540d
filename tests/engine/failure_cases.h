#pragma once

// Every failure that ordinary input to the channel fields reaches, with its
// kind. The rating tests check the kinds; the message catalogue test renders
// each case's message, so that all texts are reviewed in one golden file.

#include <ostream>
#include <string>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/failure.h"
#include "tests/support/field_texts.h"

namespace rating {

using testing_support::FieldEdit;

struct FailureCase {
  const char* name;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
  std::vector<FieldEdit> edits;  // applied to the default texts
  FailureKind kind;
};

// The default texts with a case's edits.
inline FieldTexts TextsOf(const FailureCase& c) { return testing_support::TextsWith(c.edits); }

inline std::vector<FailureCase> ConversionsFailures() {
  return {FailureCase{"EmptyField", {{InputField::BottomWidth, ""}}, FailureKind::TypeMismatch},
          FailureCase{"MaximumFlowIsReadFirst",
                      {{InputField::MaxFlow, "x"},
                       {InputField::BottomWidth, "x"},
                       {InputField::BankSlope, "x"},
                       {InputField::Fall, "x"},
                       {InputField::Length, "x"},
                       {InputField::Roughness, "x"},
                       {InputField::Invert, "x"},
                       {InputField::Increment, "x"}},
                      FailureKind::TypeMismatch},
          FailureCase{"BankBeforeFall",
                      {{InputField::BankSlope, "2:1"}, {InputField::Fall, "?"}},
                      FailureKind::TypeMismatch},
          FailureCase{"LengthBeforeN",
                      {{InputField::Length, "5.5 mi"}, {InputField::Roughness, "n"}},
                      FailureKind::TypeMismatch},
          FailureCase{"IncrementIsReadLast", {{InputField::Increment, "0.2ft"}}, FailureKind::TypeMismatch},
          FailureCase{"FieldBeyondSingleRange", {{InputField::Invert, "1e39"}}, FailureKind::Overflow}};
}

inline std::vector<FailureCase> DerivedValuesFailures() {
  return {FailureCase{"LengthZero", {{InputField::Length, "0"}}, FailureKind::DivisionByZero},
          FailureCase{"LengthAndFallZero",
                      {{InputField::Length, "0"}, {InputField::Fall, "0"}},
                      FailureKind::InvalidArgument},
          FailureCase{"LengthZeroBeforeNZero",
                      {{InputField::Length, "0"}, {InputField::Roughness, "0"}},
                      FailureKind::DivisionByZero},
          FailureCase{"RoughnessZero", {{InputField::Roughness, "0"}}, FailureKind::DivisionByZero},
          FailureCase{"RoughnessTiny", {{InputField::Roughness, "1e-40"}}, FailureKind::Overflow},
          FailureCase{"LengthHuge", {{InputField::Length, "1e36"}}, FailureKind::Overflow}};
}

inline std::vector<FailureCase> RowsFailures() {
  return {FailureCase{"FallZero", {{InputField::Fall, "0"}}, FailureKind::DivisionByZero},
          FailureCase{"DepthBeyondRange",
                      {{InputField::Increment, "1e38"}, {InputField::MaxFlow, "3e38"}},
                      FailureKind::Overflow},
          FailureCase{"MaximumNeverReached", {{InputField::MaxFlow, "1e30"}}, FailureKind::IndexOutOfRange}};
}

// A negative size is refused where it is typed, before any row, instead of
// failing far from the cause or giving a plausible-looking table.
inline std::vector<FailureCase> NegativeGeometryFailures() {
  return {FailureCase{"Width", {{InputField::BottomWidth, "-50"}}, FailureKind::InvalidArgument},
          FailureCase{"BankSlope", {{InputField::BankSlope, " -1 "}}, FailureKind::InvalidArgument},
          FailureCase{"Fall", {{InputField::Fall, "-110"}}, FailureKind::InvalidArgument},
          FailureCase{"Length", {{InputField::Length, "-5.5"}}, FailureKind::InvalidArgument},
          FailureCase{"Roughness", {{InputField::Roughness, "-0.025"}}, FailureKind::InvalidArgument},
          FailureCase{"Increment", {{InputField::Increment, "-0.2"}}, FailureKind::InvalidArgument},
          FailureCase{"WidthBeforeFall",
                      {{InputField::BottomWidth, "-1"}, {InputField::Fall, "-1"}},
                      FailureKind::InvalidArgument},
          FailureCase{"NegativeZeroIsZero", {{InputField::Fall, "-0"}}, FailureKind::DivisionByZero}};
}

}  // namespace rating
