#include "output/reach_description.h"

#include "engine/number_text.h"
#include "messages/messages.h"

namespace rating {

std::string ReachDescription(const ChannelParameters& channel, std::string_view decimalSeparator) {
  const auto number = [decimalSeparator](float value) { return PlainNumberText(value, decimalSeparator); };
  return Compose(Message::CaptionReachDescription, Arg<"width">(number(channel.bottomWidth)),
                 Arg<"slope">(number(channel.bankSlope)), Arg<"fall">(number(channel.fall)),
                 Arg<"length">(number(channel.length)), Arg<"n">(number(channel.roughness)));
}

}  // namespace rating
