#pragma once

// Channel sections the tests rate: ground lines and the fields that go with
// them.
#include <string>
#include <vector>

#include "engine/cross_section.h"
#include "tests/support/field_texts.h"

namespace rating::testing_support {

// The default trapezoid, 50 ft wide with 2:1 banks 10 ft high, as a ground
// line of four points.
inline const std::vector<GroundPoint> kTrapezoidGround = {{0, 10}, {20, 0}, {70, 0}, {90, 10}};

// A main channel 30 ft wide at the bottom and 6 ft deep, between banks at
// stations 100 and 150, with a floodplain 90 ft wide on its left and one
// 100 ft wide on its right, both rising 4 ft more to the section's ends.
inline const std::vector<GroundPoint> kCompoundGround = {{0, 10},  {10, 6},  {100, 6}, {110, 0},
                                                         {140, 0}, {150, 6}, {250, 6}, {260, 10}};

// The compound section's fields: its banks and its three n's, a fall of 5.28
// ft over a mile (a slope of 0.001), and steps of 0.5 ft.
inline FieldTexts CompoundTexts(const char* maxFlow = "3000") {
  return TextsWith({{InputField::Shape, "section"},
                    {InputField::LeftBank, "100"},
                    {InputField::RightBank, "150"},
                    {InputField::LeftRoughness, "0.06"},
                    {InputField::Roughness, "0.035"},
                    {InputField::RightRoughness, "0.08"},
                    {InputField::Fall, "5.28"},
                    {InputField::Length, "1"},
                    {InputField::Increment, "0.5"},
                    {InputField::MaxFlow, maxFlow}});
}

}  // namespace rating::testing_support
