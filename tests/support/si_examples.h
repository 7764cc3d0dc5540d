#pragma once

// The default channel converted to SI, as an engineer in SI types it: the
// trapezoid 50 ft wide with 2:1 banks, a fall of 110 ft over 5.5 mi and n
// 0.025, rated to 3000 cfs in steps of 0.2 ft, each length and flow
// converted by the exact factors and written in full.
#include "engine/input_field.h"
#include "tests/support/field_texts.h"

namespace rating::testing_support {

inline FieldTexts DefaultChannelInSi() {
  return TextsWith({{InputField::Units, "si"},
                    {InputField::BottomWidth, "15.24"},
                    {InputField::Fall, "33.528"},
                    {InputField::Length, "8.851392"},
                    {InputField::MaxFlow, "84.950539776"},
                    {InputField::Increment, "0.06096"}});
}

}  // namespace rating::testing_support
