// Storage-indication routing of 10,000 ordinates through 100 subreaches of
// the default rating's storage-outflow relation, against the same
// arithmetic in a plain loop without checks, in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "routing/storage_routing.h"

namespace {

using rating::routing::kCubicFeetPerAcreFoot;
using rating::routing::StorageOutflowPair;

constexpr int kSubreaches = 100;
constexpr double kTimeStep = 60;  // s

// A channel's relation, bent as the default rating's is.
std::vector<StorageOutflowPair> Pairs() {
  std::vector<StorageOutflowPair> pairs;
  for (int row = 0; row <= 30; ++row) {
    const double depth = 0.2 * row;                                 // ft
    const double area = depth * (50 + 2 * depth);                   // ft^2
    const double flow = 60 * area * std::pow(depth, 0.6666);        // cfs, of Manning's form
    pairs.push_back({area * 29040 / kCubicFeetPerAcreFoot, flow});  // acre-ft over 5.5 mi
  }
  return pairs;
}

// A flood of one peak, 2,000 cfs over a base of 100 cfs.
std::vector<double> Flood() {
  std::vector<double> inflow(10000, 100);
  for (int i = 0; i < 4000; ++i) inflow[1000 + i] += 2000 * (i < 1000 ? i / 1000.0 : (4000 - i) / 3000.0);
  return inflow;
}

void BM_Route(benchmark::State& state) {
  const rating::routing::RoutingRequest request{Pairs(), Flood(), kTimeStep, kSubreaches, {}};
  for (auto _ : state) benchmark::DoNotOptimize(rating::routing::Route(request));
}
BENCHMARK(BM_Route)->Unit(benchmark::kMillisecond);

// The same steps with nothing checked: no request checked, no table bound
// tested, no peaks or volumes.
void BM_PlainLoop(benchmark::State& state) {
  const std::vector<StorageOutflowPair> pairs = Pairs();
  const std::vector<double> inflow = Flood();
  std::vector<double> storage;
  std::vector<double> outflow;
  std::vector<double> indication;
  for (const StorageOutflowPair& pair : pairs) {
    storage.push_back(pair.storage * kCubicFeetPerAcreFoot / kSubreaches);
    outflow.push_back(pair.outflow);
    indication.push_back(2 * storage.back() / kTimeStep + pair.outflow);
  }
  for (auto _ : state) {
    std::vector<double> o(kSubreaches, 100);
    std::vector<double> s(kSubreaches);
    std::vector<std::size_t> at(kSubreaches, 0);
    for (int k = 0; k < kSubreaches; ++k) {
      std::size_t j = 1;
      while (outflow[j] < 100) ++j;
      s[static_cast<std::size_t>(k)] = storage[j - 1] + (100 - outflow[j - 1]) /
                                                            (outflow[j] - outflow[j - 1]) *
                                                            (storage[j] - storage[j - 1]);
    }
    std::vector<double> routed;
    routed.reserve(inflow.size());
    double before = inflow[0];
    for (std::size_t t = 1; t < inflow.size(); ++t) {
      double now = inflow[t];
      for (std::size_t k = 0; k < o.size(); ++k) {
        const double value = before + now + 2 * s[k] / kTimeStep - o[k];
        before = o[k];
        std::size_t& c = at[k];
        while (value > indication[c + 1]) ++c;
        while (c > 0 && value < indication[c]) --c;
        const double share = (value - indication[c]) / (indication[c + 1] - indication[c]);
        o[k] = outflow[c] + share * (outflow[c + 1] - outflow[c]);
        s[k] = storage[c] + share * (storage[c + 1] - storage[c]);
        now = o[k];
      }
      before = inflow[t];
      routed.push_back(o.back());
    }
    benchmark::DoNotOptimize(routed);
  }
}
BENCHMARK(BM_PlainLoop)->Unit(benchmark::kMillisecond);

}  // namespace
