#include "plot/gdiplus/scene_painter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace rating::plot {

namespace {

// A text as GDI+ takes it, UTF-16; a byte that is not UTF-8 shows as U+FFFD,
// since nothing inside WM_PAINT could catch an exception.
using platform::Wide;

Gdiplus::Color ToGdiplus(Color color) { return {color.red, color.green, color.blue}; }

Gdiplus::PointF ToGdiplus(Point point) {
  return {static_cast<Gdiplus::REAL>(point.x), static_cast<Gdiplus::REAL>(point.y)};
}

Gdiplus::REAL Real(double value) { return static_cast<Gdiplus::REAL>(value); }

int Style(const Font& font) { return font.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular; }

// Typographic measuring and drawing: no padding either side of a text, and
// trailing blanks counted, as the layout's advances assume.
class TypographicFormat {
 public:
  TypographicFormat() : format_(Gdiplus::StringFormat::GenericTypographic()) {
    format_.SetFormatFlags(format_.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  }
  [[nodiscard]] const Gdiplus::StringFormat* Get() const { return &format_; }

 private:
  Gdiplus::StringFormat format_;
};

constexpr std::size_t kPiecePoints = 64;  // points of a line stroked at once

// Draws one item; the graphics hold the scene's scale.
class ItemPainter {
 public:
  ItemPainter(Gdiplus::Graphics& graphics, const GdiplusTextMeasure& measure)
      : graphics_(graphics), measure_(measure) {}

  void operator()(const Line& line) {
    const Gdiplus::Pen pen(ToGdiplus(line.color), Real(line.width));
    graphics_.DrawLine(&pen, ToGdiplus(line.from), ToGdiplus(line.to));
  }
  // A long line is stroked in pieces: widening one path of a thousand
  // points costs far more than a few dozen short ones. Where two pieces
  // meet, round caps close the bend exactly as a round join would; the
  // line's own ends stay flat.
  void operator()(const Polyline& polyline) {
    std::vector<Gdiplus::PointF> points;
    points.reserve(polyline.points.size());
    for (const Point& point : polyline.points) points.push_back(ToGdiplus(point));
    Gdiplus::Pen pen(ToGdiplus(polyline.color), Real(polyline.width));
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    for (std::size_t first = 0; first + 1 < points.size(); first += kPiecePoints - 1) {
      const std::size_t count = std::min(kPiecePoints, points.size() - first);
      pen.SetStartCap(first == 0 ? Gdiplus::LineCapFlat : Gdiplus::LineCapRound);
      pen.SetEndCap(first + count == points.size() ? Gdiplus::LineCapFlat : Gdiplus::LineCapRound);
      graphics_.DrawLines(&pen, &points[first], static_cast<INT>(count));
    }
  }
  void operator()(const Rect& rect) {
    const Gdiplus::RectF area(Real(rect.topLeft.x), Real(rect.topLeft.y), Real(rect.width),
                              Real(rect.height));
    if (rect.filled) {
      const Gdiplus::SolidBrush brush(ToGdiplus(rect.fill));
      graphics_.FillRectangle(&brush, area);
    }
    if (rect.stroked) {
      const Gdiplus::Pen pen(ToGdiplus(rect.stroke), Real(rect.strokeWidth));
      graphics_.DrawRectangle(&pen, area);
    }
  }
  void operator()(const Dot& dot) {
    const Gdiplus::SolidBrush brush(ToGdiplus(dot.color));
    graphics_.FillEllipse(&brush, Real(dot.centre.x - dot.radius), Real(dot.centre.y - dot.radius),
                          Real(2 * dot.radius), Real(2 * dot.radius));
  }
  void operator()(const Text& text) {
    const std::wstring shown = Wide(text.text);
    const double shift = AnchorShift(text, measure_);
    const Gdiplus::Font& font = measure_.GdiplusFont(text.font);
    const Gdiplus::SolidBrush brush(ToGdiplus(text.color));
    const Gdiplus::GraphicsState saved = graphics_.Save();
    graphics_.TranslateTransform(Real(text.anchorAt.x), Real(text.anchorAt.y));
    if (text.rotated) graphics_.RotateTransform(-90);
    // GDI+ places a text by the top of its line; the scene, by its baseline.
    graphics_.DrawString(shown.c_str(), static_cast<INT>(shown.size()), &font,
                         Gdiplus::PointF(Real(-shift), Real(-measure_.Ascent(text.font))), format_.Get(),
                         &brush);
    graphics_.Restore(saved);
  }

 private:
  Gdiplus::Graphics& graphics_;
  const GdiplusTextMeasure& measure_;
  TypographicFormat format_;
};

}  // namespace

GdiplusTextMeasure::GdiplusTextMeasure(std::initializer_list<const wchar_t*> families)
    : surface_(std::make_unique<Gdiplus::Bitmap>(1, 1, PixelFormat32bppARGB)),
      graphics_(std::make_unique<Gdiplus::Graphics>(surface_.get())),
      format_(std::make_unique<Gdiplus::StringFormat>(Gdiplus::StringFormat::GenericTypographic())) {
  format_->SetFormatFlags(format_->GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  for (const wchar_t* name : families) {
    family_ = std::make_unique<Gdiplus::FontFamily>(name);
    if (family_->GetLastStatus() == Gdiplus::Ok) break;
  }
  graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

const Gdiplus::Font& GdiplusTextMeasure::GdiplusFont(const Font& font) const {
  std::unique_ptr<Gdiplus::Font>& made = fonts_[{font.size, font.bold}];
  if (made == nullptr) {
    made = std::make_unique<Gdiplus::Font>(family_.get(), Real(font.size), Style(font), Gdiplus::UnitWorld);
  }
  return *made;
}

double GdiplusTextMeasure::Advance(std::string_view text, const Font& font) const {
  const std::wstring wide = Wide(text);
  if (wide.empty()) return 0;
  Gdiplus::RectF bounds;
  graphics_->MeasureString(wide.c_str(), static_cast<INT>(wide.size()), &GdiplusFont(font),
                           Gdiplus::PointF(0, 0), format_.get(), &bounds);
  return bounds.Width;
}

// Where no family was found, a face's usual proportions stand in.
double GdiplusTextMeasure::Ascent(const Font& font) const {
  const UINT16 em = family_->GetEmHeight(Style(font));
  return em == 0 ? 0.8 * font.size : font.size * family_->GetCellAscent(Style(font)) / em;
}

double GdiplusTextMeasure::Descent(const Font& font) const {
  const UINT16 em = family_->GetEmHeight(Style(font));
  return em == 0 ? 0.2 * font.size : font.size * family_->GetCellDescent(Style(font)) / em;
}

void PaintScene(HDC dc, const RECT& area, const Scene& scene, const GdiplusTextMeasure& measure) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  Gdiplus::Graphics graphics(dc);
  const Gdiplus::Rect page(area.left, area.top, width, height);
  graphics.SetClip(page);
  const Gdiplus::SolidBrush white(Gdiplus::Color(0xff, 0xff, 0xff));
  graphics.FillRectangle(&white, page);
  if (scene.width > 0 && scene.height > 0) {
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const SceneFit fit = FitScene(scene, width, height);
    graphics.TranslateTransform(Real(area.left + fit.left), Real(area.top + fit.top));
    graphics.ScaleTransform(Real(fit.scale), Real(fit.scale));
    ItemPainter draw(graphics, measure);
    for (std::size_t i = 0; i < scene.items.size();) {
      // A run of dots of one colour, as a curve of a thousand rows has, is
      // filled as one path: far quicker than a thousand ellipses.
      const auto* dot = std::get_if<Dot>(&scene.items[i]);
      if (dot == nullptr) {
        std::visit(draw, scene.items[i++]);
        continue;
      }
      Gdiplus::GraphicsPath dots(Gdiplus::FillModeWinding);  // overlapping dots stay filled
      const Color color = dot->color;
      for (; i < scene.items.size(); ++i) {
        const auto* next = std::get_if<Dot>(&scene.items[i]);
        if (next == nullptr || !(next->color == color)) break;
        dots.AddEllipse(Real(next->centre.x - next->radius), Real(next->centre.y - next->radius),
                        Real(2 * next->radius), Real(2 * next->radius));
      }
      const Gdiplus::SolidBrush brush(ToGdiplus(color));
      graphics.FillPath(&brush, &dots);
    }
  }
}

}  // namespace rating::plot
