#pragma once

// Every failure that ordinary input to the channel fields reaches, with its
// kind. The rating tests check the kinds; the message catalogue test renders
// each case's message, so that all texts are reviewed in one golden file.

#include <functional>
#include <ostream>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/failure.h"

namespace rating {

struct FailureCase {
  const char* name;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
  std::function<void(ChannelTexts&)> edit;  // from the default texts
  FailureKind kind;
};

inline ChannelTexts DefaultChannelTexts() { return {"3000", "50", "2", "110", "5.5", "0.025", "0.0", "0.2"}; }

inline std::vector<FailureCase> ConversionsFailures() {
  return {FailureCase{"EmptyField", [](ChannelTexts& t) { t.bottomWidth = ""; }, FailureKind::TypeMismatch},
          FailureCase{"MaximumFlowIsReadFirst",
                      [](ChannelTexts& t) { t = {"x", "x", "x", "x", "x", "x", "x", "x"}; },
                      FailureKind::TypeMismatch},
          FailureCase{"BankBeforeFall",
                      [](ChannelTexts& t) {
                        t.bankSlope = "2:1";
                        t.fall = "?";
                      },
                      FailureKind::TypeMismatch},
          FailureCase{"LengthBeforeN",
                      [](ChannelTexts& t) {
                        t.length = "5.5 mi";
                        t.roughness = "n";
                      },
                      FailureKind::TypeMismatch},
          FailureCase{"IncrementIsReadLast", [](ChannelTexts& t) { t.increment = "0.2ft"; },
                      FailureKind::TypeMismatch},
          FailureCase{"FieldBeyondSingleRange", [](ChannelTexts& t) { t.invert = "1e39"; },
                      FailureKind::Overflow}};
}

inline std::vector<FailureCase> DerivedValuesFailures() {
  return {
      FailureCase{"LengthZero", [](ChannelTexts& t) { t.length = "0"; }, FailureKind::DivisionByZero},
      FailureCase{"LengthAndFallZero",
                  [](ChannelTexts& t) {
                    t.length = "0";
                    t.fall = "0";
                  },
                  FailureKind::InvalidArgument},
      FailureCase{"LengthZeroBeforeNZero",
                  [](ChannelTexts& t) {
                    t.length = "0";
                    t.roughness = "0";
                  },
                  FailureKind::DivisionByZero},
      FailureCase{"RoughnessZero", [](ChannelTexts& t) { t.roughness = "0"; }, FailureKind::DivisionByZero},
      FailureCase{"RoughnessTiny", [](ChannelTexts& t) { t.roughness = "1e-40"; }, FailureKind::Overflow},
      FailureCase{"LengthHuge", [](ChannelTexts& t) { t.length = "1e36"; }, FailureKind::Overflow}};
}

inline std::vector<FailureCase> RowsFailures() {
  return {FailureCase{"FallZero", [](ChannelTexts& t) { t.fall = "0"; }, FailureKind::DivisionByZero},
          FailureCase{"DepthBeyondRange",
                      [](ChannelTexts& t) {
                        t.increment = "1e38";
                        t.maxFlow = "3e38";
                      },
                      FailureKind::Overflow},
          FailureCase{"MaximumNeverReached", [](ChannelTexts& t) { t.maxFlow = "1e30"; },
                      FailureKind::IndexOutOfRange}};
}

// A negative size is refused where it is typed, before any row, instead of
// failing far from the cause or giving a plausible-looking table.
inline std::vector<FailureCase> NegativeGeometryFailures() {
  return {
      FailureCase{"Width", [](ChannelTexts& t) { t.bottomWidth = "-50"; }, FailureKind::InvalidArgument},
      FailureCase{"BankSlope", [](ChannelTexts& t) { t.bankSlope = " -1 "; }, FailureKind::InvalidArgument},
      FailureCase{"Fall", [](ChannelTexts& t) { t.fall = "-110"; }, FailureKind::InvalidArgument},
      FailureCase{"Length", [](ChannelTexts& t) { t.length = "-5.5"; }, FailureKind::InvalidArgument},
      FailureCase{"Roughness", [](ChannelTexts& t) { t.roughness = "-0.025"; }, FailureKind::InvalidArgument},
      FailureCase{"Increment", [](ChannelTexts& t) { t.increment = "-0.2"; }, FailureKind::InvalidArgument},
      FailureCase{"WidthBeforeFall",
                  [](ChannelTexts& t) {
                    t.bottomWidth = "-1";
                    t.fall = "-1";
                  },
                  FailureKind::InvalidArgument},
      FailureCase{"NegativeZeroIsZero", [](ChannelTexts& t) { t.fall = "-0"; }, FailureKind::DivisionByZero}};
}

}  // namespace rating
