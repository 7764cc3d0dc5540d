#include "output/reach_description.h"

#include "engine/decimal_text.h"
#include "engine/number_text.h"
#include "messages/messages.h"

namespace rating {

std::string ReachDescription(const ChannelParameters& channel, std::string_view decimalSeparator) {
  const auto number = [decimalSeparator](float value) { return PlainNumberText(value, decimalSeparator); };
  const auto exact = [decimalSeparator](double value) { return ReadableNumber(value, decimalSeparator); };
  const ExactSizes& x = channel.exact;
  const Arg<"fall"> fall(exact(x.fall));
  const Arg<"length"> length(number(channel.length));
  const Arg<"n"> n(exact(x.roughness));
  switch (channel.shape) {
    case SectionShape::Trapezoid: break;
    case SectionShape::Rectangle:
      return ComposeIn(channel.units, Message::CaptionRectangleDescription, Arg<"width">(exact(x.width)),
                       fall, length, n);
    case SectionShape::Circle:
      return ComposeIn(channel.units, Message::CaptionCircleDescription, Arg<"diameter">(exact(x.diameter)),
                       fall, length, n);
    case SectionShape::Surveyed:
      return ComposeIn(
          channel.units, Message::CaptionSurveyedDescription,
          Arg<"points">(Compose(Message::WordsPoints, Arg<"count">(std::to_string(channel.ground.size())))),
          Arg<"left">(exact(x.leftBank)), Arg<"right">(exact(x.rightBank)), fall, length,
          Arg<"nLeft">(exact(x.leftRoughness)), n, Arg<"nRight">(exact(x.rightRoughness)));
  }
  return ComposeIn(channel.units, Message::CaptionReachDescription, Arg<"width">(number(channel.bottomWidth)),
                   Arg<"slope">(number(channel.bankSlope)), Arg<"fall">(number(channel.fall)),
                   Arg<"length">(number(channel.length)), Arg<"n">(number(channel.roughness)));
}

}  // namespace rating
