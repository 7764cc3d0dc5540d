#include <benchmark/benchmark.h>

#include "engine/channel_parameters.h"
#include "engine/rating_table.h"

namespace {

// A 1000-row table: with a 0.001 ft increment the default channel's flow
// first exceeds 184.3 cfs at row 1000.
void BM_ComputeRatingTable1000Rows(benchmark::State& state) {
  const rating::ChannelParameters channel =
      rating::ReadChannelParameters({"184.3", "50", "2", "110", "5.5", "0.025", "0.0", "0.001"}, ".");
  for (auto _ : state) {
    rating::RatingTable table = rating::CreateRatingTable(channel);
    rating::ComputeRatingTable(channel, table);
    benchmark::DoNotOptimize(table.lastRow);
    if (table.lastRow != rating::kLastTableIndex) state.SkipWithError("table did not reach row 1000");
  }
}
BENCHMARK(BM_ComputeRatingTable1000Rows)->Unit(benchmark::kMicrosecond);

}  // namespace
