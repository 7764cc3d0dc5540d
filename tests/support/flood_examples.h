#pragma once

#include <array>
#include <charconv>
#include <string>

// Floods every front end's tests route, as the CSV files a user gives.
namespace rating::testing_support {

// The shortest text that reads back as `value`.
inline std::string Shortest(double value) {
  std::array<char, 32> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  return {text.data(), result.ptr};
}

// V. M. Ponce's storage-indication example 2: inflow at 1 h steps, one
// column, hours 0 to 25.
inline std::string PonceInflowCsv() {
  std::string csv =
      "Inflow (cfs)\n100\n150\n250\n400\n800\n1000\n900\n700\n550\n400\n300\n250\n200\n150\n120\n";
  for (int hour = 15; hour <= 25; ++hour) csv += "100\n";
  return csv;
}

// Its linear storage S = K O, K = 2 h, as a storage-outflow table.
inline std::string PoncePairsCsv() {
  return "Storage (acre-ft),Outflow (cfs)\n0,0\n" + Shortest(2.0 * 3600 * 2000 / 43560) + ",2000\n";
}

// A flood of 2,500 cfs at hour 6 on 100 cfs of base, back at hour 18, in
// quarter hours, with its times.
// `perCubicFoot` converts its flows, named in the header by `unit`.
inline std::string TriangularInflowCsv(const char* unit = "cfs", double perCubicFoot = 1) {
  std::string csv = std::string("Time (h),Flow (") + unit + ")\n";
  for (int i = 0; i <= 96; ++i) {
    const double hour = i / 4.0;
    const double flow = hour <= 6 ? 100 + 2400 * hour / 6 : hour <= 18 ? 100 + 2400 * (18 - hour) / 12 : 100;
    csv += Shortest(hour) + "," + Shortest(flow * perCubicFoot) + "\n";
  }
  return csv;
}

// The same flood in m3/s: 2.83 m3/s of base and 70.8 m3/s at its peak.
inline std::string TriangularInflowInSiCsv() { return TriangularInflowCsv("m3/s", 0.3048 * 0.3048 * 0.3048); }

}  // namespace rating::testing_support
