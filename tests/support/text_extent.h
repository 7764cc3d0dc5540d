#pragma once

// Where a scene's text stands on its page, for the tests of drawings.
#include "plot/scene.h"

namespace rating::testing_support {

// The room a text takes on the page, page units.
struct Extent {
  double left, right, top, bottom;
};

inline Extent ExtentOf(const plot::Text& text, const plot::TextMeasure& measure) {
  const double advance = measure.Advance(text.text, text.font);
  const double before = text.anchor == plot::Anchor::Start    ? 0
                        : text.anchor == plot::Anchor::Middle ? advance / 2
                                                              : advance;
  const double ascent = measure.Ascent(text.font);
  const double descent = measure.Descent(text.font);
  if (text.rotated) {  // reads upwards: the advance runs up the page from the anchor
    return {text.anchorAt.x - ascent, text.anchorAt.x + descent, text.anchorAt.y - (advance - before),
            text.anchorAt.y + before};
  }
  return {text.anchorAt.x - before, text.anchorAt.x + advance - before, text.anchorAt.y - ascent,
          text.anchorAt.y + descent};
}

// Whether two texts' rooms overlap.
inline bool Overlap(const Extent& a, const Extent& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace rating::testing_support
