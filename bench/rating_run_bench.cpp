#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/routing_window.h"
#include "bench/long_flood.h"

namespace {

// One press of "Create Rating File" for a 1000-row table, from the click to
// the file closed and the list filled, with the window on the offscreen
// platform.
void BM_CreateRatingFile1000Rows(benchmark::State& state) {
  MainWindow form;
  form.Field(rating::InputField::MaxFlow)->setText(QStringLiteral("184.3"));
  form.Field(rating::InputField::Increment)->setText(QStringLiteral("0.001"));
  form.Field(rating::InputField::Filename)
      ->setText(QDir::temp().filePath(QStringLiteral("rating-bench.RAT")));
  auto* button = form.findChild<QPushButton*>(QStringLiteral("Command1"));
  auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
  form.show();
  for (auto _ : state) {
    button->click();
    // The row at depth 0 and 1,000 rows above it; the headings stand apart.
    if (list->count() != 1001) state.SkipWithError("the run did not list 1000 rows");
  }
  QFile::remove(QDir::temp().filePath(QStringLiteral("rating-bench.RAT")));
}
BENCHMARK(BM_CreateRatingFile1000Rows)->Unit(benchmark::kMillisecond);

// The routing window open with a flood of 1,000 ordinates pasted into it,
// routed through range(0) subreaches. range(1) 1: a whole press of "Create
// Rating File", the rating made and written again and the flood routed
// through it; 0: Route alone. Either way the routing window is painted
// again, its chart included.
void BM_RouteAgainInTheWindow(benchmark::State& state) {
  MainWindow form;
  form.Field(rating::InputField::Filename)
      ->setText(QDir::temp().filePath(QStringLiteral("routing-bench.RAT")));
  auto* press = form.findChild<QPushButton*>(QStringLiteral("Command1"));
  form.show();
  press->click();
  form.findChild<QAction*>(QStringLiteral("routeFlood"))->trigger();
  RoutingWindow* routing = form.Routing();
  if (routing == nullptr) {
    state.SkipWithError("no routing window");
    return;
  }
  QApplication::clipboard()->setText(QString::fromStdString(rating_bench::LongFloodCsv()));
  emit routing->findChild<QShortcut*>()->activated();
  routing->findChild<QLineEdit*>(QStringLiteral("subreaches"))->setText(QString::number(state.range(0)));
  auto* route = routing->findChild<QPushButton*>(QStringLiteral("route"));
  auto* summary = routing->findChild<QLabel*>(QStringLiteral("routingSummary"));
  for (auto _ : state) {
    (state.range(1) == 1 ? press : route)->click();
    routing->repaint();
  }
  if (!summary->text().contains(QStringLiteral("outflow peak")))
    state.SkipWithError("the flood was not routed");
  QFile::remove(QDir::temp().filePath(QStringLiteral("routing-bench.RAT")));
}
BENCHMARK(BM_RouteAgainInTheWindow)
    ->ArgNames({"subreaches", "press"})
    ->ArgsProduct({{1, 20}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
