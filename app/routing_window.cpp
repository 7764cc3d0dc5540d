#include "app/routing_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <array>

#include "layout/form_layout.h"
#include "layout/window_place.h"
#include "plot/qt/scene_painter.h"

namespace {

namespace layout = rating::layout;

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Caption(rating::Message caption) { return Utf8(rating::Pattern(caption)); }

// An object name, for scripts and tests.
QString Name(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A caption with its access key marked: "Save Routed Hydrograph as &CSV…".
QString WithKey(rating::Message caption, char key) {
  return Utf8(rating::layout::WithAccessKey(rating::Pattern(caption), key));
}

std::string Text(const QLineEdit* field) { return field->text().toUtf8().toStdString(); }

constexpr int kChartMinimumWidth = 600;   // px
constexpr int kChartMinimumHeight = 320;  // px

}  // namespace

HydrographChartView::HydrographChartView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("hydrographChart"));
  setMinimumSize(kChartMinimumWidth, kChartMinimumHeight);
}

void HydrographChartView::SetChart(const rating::plot::HydrographChart& chart) {
  scene_ = rating::plot::HydrographScene(chart, rating::plot::QtTextMeasure(font()));
  update();
}

void HydrographChartView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  rating::plot::PaintScene(painter, rect(), scene_, rating::plot::QtTextMeasure(font()));
}

RoutingWindow::RoutingWindow(QWidget* parent, rating::RatingController& controller)
    : QDialog(parent),
      controller_(controller),
      inflow_(new QLabel(this)),
      timeStep_(new QLineEdit(this)),
      subreaches_(new QLineEdit(this)),
      suggestion_(new QLabel(this)),
      initialOutflow_(new QLineEdit(this)),
      chart_(new HydrographChartView(this)),
      summary_(new QLabel(this)) {
  setObjectName(QStringLiteral("RouteFlood"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  // The inflow: pasted anywhere in the window, or opened from a file.
  auto* pasteLabel = new QLabel(Caption(rating::Message::CaptionInflowPaste), this);
  auto* open = new QPushButton(
      WithKey(rating::Message::CaptionOpenHydrograph, layout::kOpenHydrographAccessKey), this);
  open->setObjectName(Name(layout::kOpenHydrographName));
  connect(open, &QPushButton::clicked, this, [this] { controller_.OpenHydrograph(); });
  auto* paste = new QShortcut(QKeySequence::Paste, this);
  connect(paste, &QShortcut::activated, this,
          [this] { controller_.SetInflow(QApplication::clipboard()->text().toUtf8().toStdString()); });
  inflow_->setObjectName(QStringLiteral("inflowRead"));
  auto* inflowRow = new QHBoxLayout;
  inflowRow->addWidget(pasteLabel);
  inflowRow->addWidget(open);
  inflowRow->addWidget(inflow_, 1);

  // The settings, each labelled, with Alt and the label's letter.
  auto* settings = new QGridLayout;
  const std::array<QLineEdit*, rating::kRoutingSettingCount> fields = {timeStep_, subreaches_,
                                                                       initialOutflow_};
  int column = 0;
  for (const layout::RoutingFieldPlace& place : layout::kRoutingFieldPlaces) {
    QLineEdit* field = fields.at(static_cast<std::size_t>(place.setting));
    const rating::Message caption = rating::Facts(place.setting).caption;
    auto* label = new QLabel(WithKey(caption, place.accessKey), this);
    label->setBuddy(field);
    field->setObjectName(Name(place.name));
    field->setAccessibleName(Caption(caption));
    settings->addWidget(label, 0, column);
    settings->addWidget(field, 1, column);
    ++column;
    if (place.suggestionBeside) {
      suggestion_->setObjectName(Name(layout::kSuggestionName));
      settings->addWidget(suggestion_, 1, column++);
    }
  }
  auto* route = new QPushButton(WithKey(rating::Message::CaptionRoute, layout::kRouteAccessKey), this);
  route->setObjectName(Name(layout::kRouteName));
  route->setDefault(true);
  connect(route, &QPushButton::clicked, this, [this] { controller_.Route(); });
  settings->addWidget(route, 1, column);

  summary_->setObjectName(QStringLiteral("routingSummary"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* commands = new QHBoxLayout;
  for (const rating::RoutingCommandFacts& facts : rating::kRoutingCommands) {
    auto* button = new QPushButton(WithKey(facts.caption, facts.accessKey), this);
    button->setObjectName(Name(facts.name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, chosen = facts.command] { controller_.Choose(chosen); });
    commands_.at(static_cast<std::size_t>(facts.command)) = button;
    commands->addWidget(button);
  }
  commands->addStretch();

  auto* whole = new QVBoxLayout(this);
  whole->addLayout(inflowRow);
  whole->addLayout(settings);
  whole->addWidget(chart_, 1);
  whole->addWidget(summary_);
  whole->addLayout(commands);
  EnableCommands(false);
}

QLineEdit* RoutingWindow::SettingField(rating::RoutingSetting setting) const {
  switch (setting) {
    case rating::RoutingSetting::TimeStep: return timeStep_;
    case rating::RoutingSetting::Subreaches: return subreaches_;
    case rating::RoutingSetting::InitialOutflow: return initialOutflow_;
  }
  return nullptr;
}

rating::RoutingTexts RoutingWindow::Fields() const {
  return {Text(timeStep_), Text(subreaches_), Text(initialOutflow_)};
}

void RoutingWindow::ShowFields(const rating::RoutingTexts& texts, const std::string& suggestion) {
  timeStep_->setText(Utf8(texts.timeStep));
  subreaches_->setText(Utf8(texts.subreaches));
  initialOutflow_->setText(Utf8(texts.initialOutflow));
  suggestion_->setText(Utf8(suggestion));
}

void RoutingWindow::ShowInflow(const std::string& description) { inflow_->setText(Utf8(description)); }

void RoutingWindow::ShowRouted(const rating::plot::HydrographChart& chart, const std::string& summary) {
  chart_->SetChart(chart);
  summary_->setText(Utf8(summary).trimmed());
  // The chart's text alternative is the summary.
  chart_->setAccessibleName(Utf8(chart.title));
  chart_->setAccessibleDescription(summary_->text());
}

void RoutingWindow::ShowProblem(const std::string& message) {
  chart_->SetChart({});
  chart_->setAccessibleDescription(Utf8(message));
  summary_->setText(Utf8(message));
}

void RoutingWindow::EnableCommands(bool enabled) {
  for (QPushButton* button : commands_) button->setEnabled(enabled);
}

void PlaceBeside(QWidget& window, const QWidget& main) {
  const QRect beside = main.frameGeometry();
  const QRect frame = window.frameGeometry();
  const QRect area = main.screen() != nullptr ? main.screen()->availableGeometry() : beside.united(frame);
  const auto edges = [](const QRect& r) {
    return layout::ScreenRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  };
  const layout::ScreenRect placed =
      layout::PlaceBeside(edges(beside), frame.width(), frame.height(), edges(area));
  // The frame's edges around the client area stay as they are.
  const int across = frame.width() - window.width();
  const int down = frame.height() - window.height();
  window.resize(placed.right - placed.left - across, placed.bottom - placed.top - down);
  window.move(placed.left, placed.top);
}
