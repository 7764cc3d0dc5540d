#include "output/reach_description.h"

#include "engine/number_text.h"

namespace rating {

std::string ReachDescription(const ChannelParameters& channel, std::string_view decimalSeparator) {
  const auto number = [decimalSeparator](float value) { return PlainNumberText(value, decimalSeparator); };
  std::string text = "Bottom width " + number(channel.bottomWidth) + " ft, side slopes ";
  text.append(number(channel.bankSlope)).append(":1, fall ").append(number(channel.fall));
  text.append(" ft over ")
      .append(number(channel.length))
      .append(" mi, n = ")
      .append(number(channel.roughness));
  return text;
}

}  // namespace rating
