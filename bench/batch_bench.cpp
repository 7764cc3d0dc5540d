#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>  // getpid, for a private folder
#include <vector>

#include "cli/cli_run.h"

namespace {

namespace fs = std::filesystem;

constexpr int kReaches = 10000;

// 10,000 reaches of about 30 rows each (the default channel with widths from
// 40 to 59 ft and a 3000 cfs maximum), each written to its own file.
void BM_Batch10000Reaches(benchmark::State& state) {
  const fs::path folder =
      fs::temp_directory_path() / std::string("rating-batch-bench-").append(std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path csv = folder / "reaches.csv";
  {
    std::ofstream table(csv);
    table << "title,width,output\n";
    for (int i = 0; i < kReaches; ++i) {
      table << "Reach " << i << ',' << 40 + i % 20 << ','
            << (folder / std::string("r").append(std::to_string(i)).append(".RAT")).string() << '\n';
    }
  }
  const std::vector<std::string> arguments = {"trapezoid-rating-cli", "--batch", csv.string()};
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (rating::cli::RunCommandLine(arguments, ".", out, err) != rating::cli::kExitSuccess) {
      state.SkipWithError(err.str().c_str());
    }
  }
  state.counters["reaches_per_second"] = benchmark::Counter(
      static_cast<double>(kReaches) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  fs::remove_all(folder);
}
BENCHMARK(BM_Batch10000Reaches)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
