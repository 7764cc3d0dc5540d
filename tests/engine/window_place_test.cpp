// Where the curves and routing windows open beside the main window, in
// every desktop front end.
#include "layout/window_place.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace rating::layout {
namespace {

struct PlaceCase {
  const char* name;
  ScreenRect main;
  int width;
  int height;
  ScreenRect placed;
  friend void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }
};

constexpr ScreenRect kWork{0, 0, 1920, 1040};

class WindowPlaces : public testing::TestWithParam<PlaceCase> {};

TEST_P(WindowPlaces, AreBesideTheMainWindowOnTheWorkArea) {
  const PlaceCase& c = GetParam();
  EXPECT_EQ(PlaceBeside(c.main, c.width, c.height, kWork), c.placed);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowPlaces,
    testing::Values(
        PlaceCase{"RightWhereItFits", {100, 100, 853, 460}, 900, 480, {853, 100, 1753, 580}},
        PlaceCase{"LeftWhereTheRightIsNarrow", {1000, 100, 1753, 460}, 900, 480, {100, 100, 1000, 580}},
        PlaceCase{"BelowAMainWindowAcrossTheScreen", {0, 0, 1920, 400}, 900, 480, {0, 400, 900, 880}},
        PlaceCase{
            "LevelWithTheMainWindowButOnTheScreen", {100, 800, 853, 1000}, 900, 480, {853, 560, 1753, 1040}},
        PlaceCase{"ShrunkWithItsProportionsWhereNoSideHoldsItWhole",
                  {600, 0, 1920, 1040},
                  900,
                  480,
                  {0, 0, 600, 320}},
        PlaceCase{
            "AtTheRightEdgeWhereNoSideHoldsHalfOfIt", {100, 0, 1820, 1040}, 900, 480, {1020, 0, 1920, 480}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating::layout
