#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include "app/main_window.h"

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
    if (list->count() != 1003) state.SkipWithError("the run did not list 1000 rows");
  }
  QFile::remove(QDir::temp().filePath(QStringLiteral("rating-bench.RAT")));
}
BENCHMARK(BM_CreateRatingFile1000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
