#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/table_order.h"
#include "messages/messages.h"

namespace rating {

// The settings of a flood's routing that a user types, in the routing
// window's tab order. A setting that is not one is refused naming it.
enum class RoutingSetting {
  TimeStep,        // "15min", "1h", "90s"
  Subreaches,      // a whole number from 1 to 1000
  InitialOutflow,  // cfs
};

inline constexpr std::size_t kRoutingSettingCount = 3;

// Everything the routing knows about one setting. Where a window draws it
// is the front ends' business (layout/form_layout.h).
struct RoutingSettingFacts {
  RoutingSetting setting;
  Message caption;          // of the field's label, and its name in the windows' messages
  std::string_view option;  // command-line option without "--", and batch column
  Message expected;         // what its text must be: "a duration such as 90s, 15min or 1h"
};

inline constexpr std::array<RoutingSettingFacts, kRoutingSettingCount> kRoutingSettings = {{
    {RoutingSetting::TimeStep, Message::CaptionTimeStep, "time-step", Message::UsageExpectDuration},
    {RoutingSetting::Subreaches, Message::CaptionSubreaches, "subreaches", Message::UsageExpectSubreaches},
    {RoutingSetting::InitialOutflow, Message::CaptionInitialOutflow, "initial-outflow",
     Message::UsageExpectFlow},
}};

constexpr const RoutingSettingFacts& Facts(RoutingSetting setting) {
  return kRoutingSettings.at(static_cast<std::size_t>(setting));
}

static_assert(InKeyOrder(kRoutingSettings, &RoutingSettingFacts::setting),
              "kRoutingSettings must list the settings in the order of RoutingSetting");

// The routing's settings as typed, in UTF-8; an empty one takes its default.
struct RoutingTexts {
  std::string timeStep;        // empty: the inflow's own times
  std::string subreaches;      // empty: the suggestion
  std::string initialOutflow;  // cfs; empty: the first inflow
  bool operator==(const RoutingTexts&) const = default;
};

// The text of one setting, of RoutingTexts const or not.
template <typename Texts>
auto& TextOf(Texts& texts, RoutingSetting setting) {
  switch (setting) {
    case RoutingSetting::TimeStep: return texts.timeStep;
    case RoutingSetting::Subreaches: return texts.subreaches;
    case RoutingSetting::InitialOutflow: break;
  }
  return texts.initialOutflow;
}

}  // namespace rating
