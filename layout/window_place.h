#pragma once

#include <algorithm>
#include <array>
#include <utility>

// Where a window of the program's opens on the screen, for every desktop
// front end: the curves and routing windows beside the main window.
namespace rating::layout {

// A rectangle on the screen, in its pixels; `right` and `bottom` lie just
// outside it.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// Where a window `width` by `height` opens beside the main window `main`
// on the work area `work`: right, left, below or above it, wherever it
// shows largest, level with the main window where it can be, shrunk with
// its proportions kept to no less than half size; where no side has room
// for that, at the work area's right edge. Never larger than the work area.
inline ScreenRect PlaceBeside(const ScreenRect& main, int width, int height, const ScreenRect& work) {
  enum class Side { Right, Left, Below, Above };
  const std::array<std::pair<Side, ScreenRect>, 4> sides = {{
      {Side::Right, {main.right, work.top, work.right, work.bottom}},
      {Side::Left, {work.left, work.top, main.left, work.bottom}},
      {Side::Below, {work.left, main.bottom, work.right, work.bottom}},
      {Side::Above, {work.left, work.top, work.right, main.top}},
  }};
  const auto scaleIn = [&](const ScreenRect& room) {
    return std::min({1.0, static_cast<double>(room.right - room.left) / width,
                     static_cast<double>(room.bottom - room.top) / height});
  };
  const auto* best = &sides.front();
  for (const auto& side : sides) {
    if (scaleIn(side.second) > scaleIn(best->second)) best = &side;
  }
  constexpr double kSmallest = 0.5;
  const double scale = scaleIn(best->second);
  if (scale < kSmallest) {
    const int w = std::min(width, work.right - work.left);
    const int h = std::min(height, work.bottom - work.top);
    const int top = std::clamp(main.top, work.top, work.bottom - h);
    return {work.right - w, top, work.right, top + h};
  }
  const auto w = static_cast<int>(width * scale);
  const auto h = static_cast<int>(height * scale);
  const ScreenRect& room = best->second;
  const int x = std::clamp(main.left, room.left, room.right - w);
  const int y = std::clamp(main.top, room.top, room.bottom - h);
  switch (best->first) {
    case Side::Right: return {room.left, y, room.left + w, y + h};
    case Side::Left: return {room.right - w, y, room.right, y + h};
    case Side::Below: return {x, room.top, x + w, room.top + h};
    case Side::Above: break;
  }
  return {x, room.bottom - h, x + w, room.bottom};
}

}  // namespace rating::layout
