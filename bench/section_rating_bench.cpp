#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/failure.h"
#include "engine/rating_table.h"

namespace {

// A natural valley of 1000 points, 999 ft across: a channel 30 ft deep in
// the middle of floodplains that rise to 60 ft at the ends, with a little
// roughness of the ground in every point.
std::vector<rating::GroundPoint> ThousandPointValley() {
  std::vector<rating::GroundPoint> ground;
  for (int k = 0; k < 1000; ++k) {
    const double x = k;
    const double fromMiddle = std::abs(x - 500) / 500;
    const double channel = fromMiddle < 0.1 ? 30 * (1 - fromMiddle / 0.1) : 0;
    ground.push_back({x, 30 + 30 * fromMiddle * fromMiddle - channel + 0.2 * std::sin(x)});
  }
  return ground;
}

rating::FieldTexts ValleyTexts(const std::string& maxFlow) {
  rating::FieldTexts texts = rating::DefaultFieldTexts(".");
  rating::TextOf(texts, rating::InputField::Shape) = "section";
  rating::TextOf(texts, rating::InputField::LeftBank) = "450";
  rating::TextOf(texts, rating::InputField::RightBank) = "550";
  rating::TextOf(texts, rating::InputField::LeftRoughness) = "0.06";
  rating::TextOf(texts, rating::InputField::RightRoughness) = "0.08";
  rating::TextOf(texts, rating::InputField::Increment) = "0.05";
  rating::TextOf(texts, rating::InputField::MaxFlow) = maxFlow;
  return texts;
}

// The valley with the maximum flow between its rows 999 and 1000, so that
// its table has 1000 rows.
rating::ChannelParameters ThousandRowValley() {
  const std::vector<rating::GroundPoint> ground = ThousandPointValley();
  const rating::ChannelParameters unbounded = rating::ReadChannelParameters(ValleyTexts("1e30"), ".", ground);
  rating::RatingTable table = rating::CreateRatingTable(unbounded);
  try {
    rating::ComputeRatingTable(unbounded, table);
  } catch (const rating::RatingFailure&) {
    // The table is full: rows 1 to 1000 hold their flows.
  }
  const double between = (table.flow.at(999) + table.flow.at(1000)) / 2.0;
  return rating::ReadChannelParameters(ValleyTexts(std::to_string(between)), ".", ground);
}

void BM_SurveyedSection1000Rows1000Points(benchmark::State& state) {
  const rating::ChannelParameters channel = ThousandRowValley();
  for (auto _ : state) {
    rating::RatingTable table = rating::CreateRatingTable(channel);
    rating::ComputeRatingTable(channel, table);
    benchmark::DoNotOptimize(table.lastRow);
    if (table.lastRow != rating::kLastTableIndex) state.SkipWithError("table did not reach row 1000");
  }
}
BENCHMARK(BM_SurveyedSection1000Rows1000Points)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

// The floor: the area and perimeter of every segment at every row, summed
// in one loop, without elements, checks, Manning or storing.
void BM_PlainLoopOverEverySegment(benchmark::State& state) {
  const std::vector<rating::GroundPoint> ground = ThousandPointValley();
  double lowest = ground.front().elevation;
  for (const rating::GroundPoint& point : ground) lowest = std::min(lowest, point.elevation);
  for (auto _ : state) {
    double total = 0;
    for (int i = 1; i <= 1000; ++i) {
      const double surface = lowest + 0.05 * i;
      double area = 0;
      double perimeter = 0;
      for (std::size_t s = 1; s < ground.size(); ++s) {
        const rating::GroundPoint a = ground[s - 1];
        const rating::GroundPoint b = ground[s];
        const double low = std::min(a.elevation, b.elevation);
        const double high = std::max(a.elevation, b.elevation);
        if (low >= surface) continue;
        const double run = b.station - a.station;
        const double length = std::hypot(run, b.elevation - a.elevation);
        if (high <= surface) {
          area += run * (surface - 0.5 * (a.elevation + b.elevation));
          perimeter += length;
        } else {
          const double wet = (surface - low) / (high - low);
          area += 0.5 * wet * run * (surface - low);
          perimeter += wet * length;
        }
      }
      total += area * std::pow(area / perimeter, 2.0 / 3.0);
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_PlainLoopOverEverySegment)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

}  // namespace
