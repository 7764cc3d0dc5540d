// Every window's access keys: one letter each, none taken twice in the same
// window or menu, each a letter its caption shows.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "layout/form_layout.h"
#include "run/rating_controller.h"

namespace rating {
namespace {

struct Key {
  Message caption;
  char key;
};

struct WindowKeys {
  const char* name;
  std::vector<Key> keys;
  friend void PrintTo(const WindowKeys& c, std::ostream* os) { *os << c.name; }
};

class AccessKeys : public testing::TestWithParam<WindowKeys> {};

TEST_P(AccessKeys, AreDistinctAndStandInTheirCaptions) {
  std::set<int> taken;
  for (const auto& [caption, key] : GetParam().keys) {
    const int letter = std::toupper(static_cast<unsigned char>(key));
    EXPECT_TRUE(taken.insert(letter).second) << key << " twice, the second for " << Pattern(caption);
    const std::string marked = layout::WithAccessKey(Pattern(caption), key);
    const std::size_t at = marked.find('&');
    ASSERT_NE(at, std::string::npos) << Pattern(caption) << " has no " << key;
    EXPECT_EQ(std::toupper(static_cast<unsigned char>(marked.at(at + 1))), letter) << marked;
  }
}

WindowKeys RoutingWindow() {
  WindowKeys window{"RoutingWindow",
                    {{Message::CaptionOpenHydrograph, layout::kOpenHydrographAccessKey},
                     {Message::CaptionRoute, layout::kRouteAccessKey}}};
  for (const layout::RoutingFieldPlace& place : layout::kRoutingFieldPlaces) {
    window.keys.push_back({Facts(place.setting).caption, place.accessKey});
  }
  for (const RoutingCommandFacts& command : kRoutingCommands)
    window.keys.push_back({command.caption, command.accessKey});
  return window;
}

WindowKeys MainWindow() {
  WindowKeys window{"MainWindow",
                    {{Message::CaptionButton, layout::kButtonAccessKey},
                     {Message::CaptionBrowse, layout::kBrowseAccessKey}}};
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    window.keys.push_back({Facts(place.field).label, place.accessKey});
  }
  return window;
}

// The list's menu holds every command; the curves window's those it carries.
WindowKeys Menu(const char* name, bool curvesWindow) {
  WindowKeys menu{name, {}};
  for (const CommandFacts& command : kRatingCommands) {
    if (!curvesWindow || command.inCurvesWindow) menu.keys.push_back({command.caption, command.accessKey});
  }
  return menu;
}

INSTANTIATE_TEST_SUITE_P(Windows, AccessKeys,
                         testing::Values(MainWindow(), RoutingWindow(), Menu("ListMenu", false),
                                         Menu("CurvesMenu", true)),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
