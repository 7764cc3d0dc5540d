#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"

// The geometry of the channel sections other than the trapezoid, in double
// precision: a surveyed ground line split into its overbanks and channel,
// and a pipe flowing part full.
namespace rating {

// One point of a surveyed ground line.
struct GroundPoint {
  double station = 0;    // ft, increasing from left to right, looking downstream
  double elevation = 0;  // ft

  friend bool operator==(const GroundPoint&, const GroundPoint&) = default;
};

inline constexpr std::size_t kFewestGroundPoints = 3;
inline constexpr std::size_t kMostGroundPoints = 10000;

// Reads a ground line as a section file or a spreadsheet's copied cells hold
// it: rows of the station, then the elevation (ft), under a header row or
// none. Cells and decimals as every table the program reads (SplitTable,
// TableDecimalMark); `text` is UTF-8 (DecodeTableText). Throws
// RatingFailure naming the row, and the column, that is wrong: a row
// without two cells, a cell that is not a number, a station left of the one
// before; or the count of points, outside 3 to 10000.
std::vector<GroundPoint> ReadGroundLine(std::string_view text, std::string_view userSeparator);

// The ground line as a section file: the header row, then one row of the
// station and the elevation per point, with "." decimals, the fewest digits
// that read back to the same values, and CR LF line ends.
std::string GroundLineText(std::span<const GroundPoint> points, UnitSystem units = UnitSystem::UsCustomary);

// A station or an elevation as a file or a person reads it: the fewest
// digits that read back to the same double, `decimalMark` for its point.
std::string StationText(double value, std::string_view decimalMark);

// Refuses, as ReadGroundLine does, a ground line of too few or too many
// points or with a station left of the one before, naming the point (from 1).
void CheckGroundLine(std::span<const GroundPoint> points);

// The conveyance elements of a surveyed section, as HEC-RAS divides it by
// default: the left overbank, the channel and the right overbank.
enum class Element { LeftOverbank, Channel, RightOverbank };
inline constexpr std::size_t kElementCount = 3;

// Flow area and wetted perimeter of each element at one water surface.
struct WettedElements {
  std::array<double, kElementCount> area{};       // ft^2
  std::array<double, kElementCount> perimeter{};  // ft
};

// A surveyed section prepared for rating: its ground line cut at the bank
// stations, so that every segment lies in one element. The vertical lines
// at the banks between the elements are not ground and wet nothing.
class SurveyedSection {
 public:
  // `points` is a checked ground line (CheckGroundLine) and the banks lie
  // within its stations, the left one left of the right one.
  SurveyedSection(std::span<const GroundPoint> points, double leftBank, double rightBank);

  // Each element's part of the polygon below `waterSurface` (ft), segment
  // by segment, each segment cut where it meets the water. A vertical step,
  // two points at one station, is wall: perimeter without area.
  [[nodiscard]] WettedElements At(double waterSurface) const;

  [[nodiscard]] double Lowest() const { return lowest_; }  // ft, the lowest ground point

 private:
  // The segments in station order, columns by quantity, so that a row's
  // pass over them runs through memory in step.
  std::vector<double> low_;                            // ft, the lower end's elevation
  std::vector<double> high_;                           // ft, the higher end's elevation
  std::vector<double> run_;                            // ft, horizontal length
  std::vector<double> length_;                         // ft, along the ground
  std::array<std::size_t, kElementCount + 1> ends_{};  // element e holds segments ends_[e] to ends_[e + 1]
  double lowest_ = 0;                                  // ft
};

// The flow area (ft^2) and wetted perimeter (ft) of a pipe of `diameter`
// (ft) flowing at `depth` (ft), from 0 to the diameter.
struct PipeWetted {
  double area = 0;       // ft^2
  double perimeter = 0;  // ft
};
PipeWetted PipeAt(double diameter, double depth);

// The depth, as a fraction of the diameter, at which a pipe carries its
// greatest flow by Manning's equation (about 0.938), and that flow's
// conveyance factor A R^(2/3) for a pipe of unit diameter.
struct PipeGreatest {
  double depthRatio = 0;
  double unitConveyance = 0;  // A R^(2/3) with A in D^2 and R in D; scale by D^(8/3)
};
PipeGreatest PipeGreatestFlow();

}  // namespace rating
