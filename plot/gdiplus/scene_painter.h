#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <utility>

// GDI+ needs the Windows and COM headers before its own.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include "plot/scene.h"

namespace rating::plot {

// Texts measured in one GDI+ font family, in page units, so that the layout
// and the drawing of a Windows window agree.
class GdiplusTextMeasure : public TextMeasure {
 public:
  // The first of `families` that the system has.
  explicit GdiplusTextMeasure(std::initializer_list<const wchar_t*> families);

  [[nodiscard]] double Advance(std::string_view text, const Font& font) const override;
  [[nodiscard]] double Ascent(const Font& font) const override;
  [[nodiscard]] double Descent(const Font& font) const override;

  // The GDI+ font of a scene's font, sized in world units (the page's);
  // made once for each size and weight, as every measuring asks for it.
  [[nodiscard]] const Gdiplus::Font& GdiplusFont(const Font& font) const;

 private:
  std::unique_ptr<Gdiplus::FontFamily> family_;
  std::unique_ptr<Gdiplus::Bitmap> surface_;  // to measure on
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  std::unique_ptr<Gdiplus::StringFormat> format_;  // typographic: no padding, trailing blanks counted
  mutable std::map<std::pair<double, bool>, std::unique_ptr<Gdiplus::Font>> fonts_;  // by size and weight
};

// Draws `scene` on white, anti-aliased, scaled to fit `area` of `dc` with its
// proportions kept and centred. It draws straight onto `dc`: give it a
// memory DC and copy that to the screen, so that a resize does not flicker.
// GDI+ must be started.
void PaintScene(HDC dc, const RECT& area, const Scene& scene, const GdiplusTextMeasure& measure);

}  // namespace rating::plot
