#pragma once

#include <string>

namespace rating_bench {

// 1,000 quarter hours as a pasted or opened hydrograph: a flood of 2,500 cfs
// at hour 60 on 100 cfs of base, back to base at hour 180.
inline std::string LongFloodCsv() {
  std::string csv = "Time (h),Flow (cfs)\n";
  for (int i = 0; i < 1000; ++i) {
    const double hour = i / 4.0;
    const double flow = hour <= 60 ? 100 + 40 * hour : hour <= 180 ? 100 + 20 * (180 - hour) : 100;
    csv += std::to_string(hour) + "," + std::to_string(flow) + "\n";
  }
  return csv;
}

}  // namespace rating_bench
