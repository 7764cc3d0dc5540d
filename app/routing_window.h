#pragma once

#include <QDialog>
#include <QWidget>

#include <string>

#include "plot/hydrograph_chart.h"
#include "plot/scene.h"
#include "run/rating_controller.h"
#include "run/rating_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The routed hydrographs, drawn from the scene the SVG chart is made of and
// measured with the widget's font.
class HydrographChartView : public QWidget {
  Q_OBJECT

 public:
  explicit HydrographChartView(QWidget* parent);
  // Draws `chart`; a chart without ordinates leaves the widget blank.
  void SetChart(const rating::plot::HydrographChart& chart);
  // What it draws, for tests.
  [[nodiscard]] const rating::plot::Scene& Drawn() const { return scene_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  rating::plot::Scene scene_;
};

// The one routing window: the inflow, the settings, the chart, the summary
// and the routing's commands. It draws what the controller decides and
// passes every press to it. It does not block the main window.
class RoutingWindow : public QDialog {
  Q_OBJECT

 public:
  RoutingWindow(QWidget* parent, rating::RatingController& controller);

  [[nodiscard]] rating::RoutingTexts Fields() const;
  // The field of one setting.
  [[nodiscard]] QLineEdit* SettingField(rating::RoutingSetting setting) const;
  void ShowFields(const rating::RoutingTexts& texts, const std::string& suggestion);
  void ShowInflow(const std::string& description);
  void ShowRouted(const rating::plot::HydrographChart& chart, const std::string& summary);
  void ShowProblem(const std::string& message);
  // Whether the routing's commands can be chosen.
  void EnableCommands(bool enabled);

 private:
  rating::RatingController& controller_;
  QLabel* inflow_;       // how many ordinates, over what time
  QLineEdit* timeStep_;  // "15min"
  QLineEdit* subreaches_;
  QLabel* suggestion_;  // "suggested: 4"
  QLineEdit* initialOutflow_;
  HydrographChartView* chart_;
  QLabel* summary_;  // the summary, or why there is no routing
  std::array<QPushButton*, rating::kRoutingCommands.size()> commands_{};  // indexed by rating::RoutingCommand
};

// Places `window` beside `main`, by the rule every desktop front end follows
// (layout::PlaceBeside).
void PlaceBeside(QWidget& window, const QWidget& main);
