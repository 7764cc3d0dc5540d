#pragma once

#include <string>
#include <string_view>

#include "engine/channel_parameters.h"

namespace rating {

// The reach in words, with units, as a plot's subtitle:
// "Bottom width 50 ft, side slopes 2:1, fall 110 ft over 5.5 mi, n = 0.025".
// The values are those computed with (a bank slope typed as 0 reads 2:1),
// with the user's decimal separator.
std::string ReachDescription(const ChannelParameters& channel, std::string_view decimalSeparator);

}  // namespace rating
