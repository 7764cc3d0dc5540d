#include <benchmark/benchmark.h>

#include "engine/channel_parameters.h"
#include "engine/rating_table.h"

namespace {

// A 1000-row table: with a 0.001 ft increment the default channel's flow
// first exceeds 184.3 cfs at row 1000.
rating::ChannelParameters ThousandRowChannel() {
  rating::FieldTexts texts = rating::DefaultFieldTexts(".");
  rating::TextOf(texts, rating::InputField::MaxFlow) = "184.3";
  rating::TextOf(texts, rating::InputField::Increment) = "0.001";
  return rating::ReadChannelParameters(texts, ".");
}

void BM_ComputeRatingTable1000Rows(benchmark::State& state) {
  const rating::ChannelParameters channel = ThousandRowChannel();
  for (auto _ : state) {
    rating::RatingTable table = rating::CreateRatingTable(channel);
    rating::ComputeRatingTable(channel, table);
    benchmark::DoNotOptimize(table.lastRow);
    if (table.lastRow != rating::kLastTableIndex) state.SkipWithError("table did not reach row 1000");
  }
}
BENCHMARK(BM_ComputeRatingTable1000Rows)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

}  // namespace
