#include "routing/storage_routing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/unit_system.h"
#include "messages/messages.h"

namespace rating::routing {

namespace {

// A number in a failure's words, as the user reads numbers.
std::string Shown(const RoutingRequest& request, double value) {
  return ReadableNumber(value, request.decimalMark);
}

[[noreturn]] void Refuse(FailureKind kind, const std::string& problem) {
  throw RatingFailure(kind, Compose(Message::RoutingProblem, Arg<"kind">(Pattern(Message::KindRouting)),
                                    Arg<"problem">(problem)));
}

void CheckRequest(const RoutingRequest& request) {
  const std::vector<StorageOutflowPair>& pairs = request.pairs;
  if (pairs.size() < 2) {
    Refuse(FailureKind::InvalidArgument, std::string(Pattern(Message::RoutingTooFewPairs)));
  }
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    const std::string number = std::to_string(k + 1);
    const Arg<"pair"> pair(number);
    if (!std::isfinite(pairs[k].storage) || !std::isfinite(pairs[k].outflow) || pairs[k].outflow < 0) {
      Refuse(FailureKind::InvalidArgument, ComposeIn(request.units, Message::RoutingPairNotAFlow, pair,
                                                     Arg<"outflow">(Shown(request, pairs[k].outflow))));
    }
    if (k == 0) continue;
    if (!(pairs[k].storage > pairs[k - 1].storage)) {
      Refuse(FailureKind::InvalidArgument, ComposeIn(request.units, Message::RoutingStorageNotIncreasing,
                                                     pair, Arg<"storage">(Shown(request, pairs[k].storage)),
                                                     Arg<"previous">(Shown(request, pairs[k - 1].storage))));
    }
    if (pairs[k].outflow < pairs[k - 1].outflow) {
      Refuse(FailureKind::InvalidArgument, ComposeIn(request.units, Message::RoutingOutflowDecreasing, pair,
                                                     Arg<"outflow">(Shown(request, pairs[k].outflow)),
                                                     Arg<"previous">(Shown(request, pairs[k - 1].outflow))));
    }
  }
  if (request.inflow.size() < 2) {
    Refuse(FailureKind::InvalidArgument, std::string(Pattern(Message::RoutingTooFewOrdinates)));
  }
  if (request.inflow.size() > kMostOrdinates) {
    Refuse(FailureKind::InvalidArgument,
           Compose(Message::RoutingTooManyOrdinates, Arg<"count">(std::to_string(request.inflow.size()))));
  }
  if (!(request.timeStep > 0) || !std::isfinite(request.timeStep)) {
    Refuse(FailureKind::InvalidArgument, std::string(Pattern(Message::RoutingTimeStepNotPositive)));
  }
  if (request.subreaches < 1 || request.subreaches > kMostSubreaches) {
    Refuse(FailureKind::InvalidArgument,
           Compose(Message::RoutingSubreachesOutOfRange, Arg<"count">(std::to_string(request.subreaches))));
  }
  for (std::size_t i = 0; i < request.inflow.size(); ++i) {
    const double flow = request.inflow[i];
    if (!(flow >= 0) || !std::isfinite(flow)) {
      Refuse(
          FailureKind::InvalidArgument,
          ComposeIn(request.units, Message::RoutingNegativeInflow, Arg<"ordinate">(std::to_string(i + 1)),
                    Arg<"time">(Shown(request, static_cast<double>(i) * request.timeStep / kSecondsPerHour)),
                    Arg<"flow">(Shown(request, flow))));
    }
  }
}

// One subreach's relation against its storage indication 2 S / dt + O, in
// cfs, which rises strictly with the pairs. `cursor` remembers the interval
// last used: from one step to the next the flow moves little.
class IndicationTable {
 public:
  IndicationTable(const std::vector<StorageOutflowPair>& pairs, double timeStep, int subreaches,
                  double volumePerStorage) {
    const double perSubreach =
        volumePerStorage / subreaches;  // ft^3 per acre-ft of the reach, or m^3 per 1000
    for (const StorageOutflowPair& pair : pairs) {
      storage_.push_back(pair.storage * perSubreach);
      outflow_.push_back(pair.outflow);
      indication_.push_back(2 * storage_.back() / timeStep + pair.outflow);
    }
  }

  [[nodiscard]] double Lowest() const { return indication_.front(); }
  [[nodiscard]] double Highest() const { return indication_.back(); }
  [[nodiscard]] double HighestOutflow() const { return outflow_.back(); }

  // The outflow (cfs) and storage (ft^3) at indication `value`, which lies
  // within the table.
  void At(double value, std::size_t& cursor, double& outflow, double& storage) const {
    while (cursor + 2 < indication_.size() && value > indication_[cursor + 1]) ++cursor;
    while (cursor > 0 && value < indication_[cursor]) --cursor;
    const double share = (value - indication_[cursor]) / (indication_[cursor + 1] - indication_[cursor]);
    outflow = outflow_[cursor] + share * (outflow_[cursor + 1] - outflow_[cursor]);
    storage = storage_[cursor] + share * (storage_[cursor + 1] - storage_[cursor]);
  }

  // The storage (ft^3) at outflow `flow`: of several pairs of that outflow,
  // as a reservoir's table may hold at 0, the lowest.
  [[nodiscard]] std::optional<double> StorageAt(double flow) const {
    if (flow < outflow_.front() || flow > outflow_.back()) return std::nullopt;
    for (std::size_t k = 1; k < outflow_.size(); ++k) {
      if (flow > outflow_[k]) continue;
      if (outflow_[k] == outflow_[k - 1]) return flow == outflow_[k - 1] ? storage_[k - 1] : storage_[k];
      const double share = (flow - outflow_[k - 1]) / (outflow_[k] - outflow_[k - 1]);
      return storage_[k - 1] + share * (storage_[k] - storage_[k - 1]);
    }
    return storage_.back();
  }

 private:
  std::vector<double> storage_;     // ft^3 in one subreach
  std::vector<double> outflow_;     // cfs
  std::vector<double> indication_;  // cfs
};

Peak PeakOf(const std::vector<double>& flows, double timeStep) {
  const auto highest = std::max_element(flows.begin(), flows.end());
  return {*highest, static_cast<double>(highest - flows.begin()) * timeStep / kSecondsPerHour};
}

// The volume of a hydrograph in acre-ft (1000 m^3), by the trapezoidal rule.
double VolumeOf(const std::vector<double>& flows, double timeStep, double volumePerStorage) {
  double sum = 0;
  for (std::size_t i = 1; i < flows.size(); ++i) sum += (flows[i - 1] + flows[i]) / 2;
  return sum * timeStep / volumePerStorage;
}

}  // namespace

RoutingResult Route(const RoutingRequest& request) {
  CheckRequest(request);
  const double dt = request.timeStep;  // s
  const int subreaches = request.subreaches;
  // ft^3 per acre-ft, or m^3 per 1000 m^3: flows in cfs or m^3/s fill them alike.
  const double volumePerStorage = Facts(request.units).areaPerStorageUnit;
  const IndicationTable table(request.pairs, dt, subreaches, volumePerStorage);

  const double initial = request.initialOutflow.value_or(request.inflow.front());  // cfs
  const std::optional<double> initialStorage = table.StorageAt(initial);
  if (!initialStorage) {
    Refuse(FailureKind::InvalidArgument, ComposeIn(request.units, Message::RoutingInitialOutflowOutside,
                                                   Arg<"flow">(Shown(request, initial)),
                                                   Arg<"highest">(Shown(request, table.HighestOutflow()))));
  }

  // Each subreach's outflow and storage (ft^3) at the step before, and the
  // inflow it had then: the outflow of the subreach above it.
  const auto count = static_cast<std::size_t>(subreaches);
  std::vector<double> outflow(count, initial);
  std::vector<double> storage(count, *initialStorage);
  std::vector<std::size_t> cursor(count, 0);
  RoutingResult result;
  result.outflow.reserve(request.inflow.size());
  result.outflow.push_back(initial);
  result.storageStart = *initialStorage * subreaches / volumePerStorage;

  double previousInflow = request.inflow.front();  // into subreach 1
  for (std::size_t t = 1; t < request.inflow.size(); ++t) {
    double inflow = request.inflow[t];
    for (std::size_t k = 0; k < count; ++k) {
      const double indication = previousInflow + inflow + 2 * storage[k] / dt - outflow[k];
      if (indication > table.Highest()) {
        Refuse(FailureKind::IndexOutOfRange,
               ComposeIn(request.units, Message::RoutingAboveTable, Arg<"ordinate">(std::to_string(t + 1)),
                         Arg<"time">(Shown(request, static_cast<double>(t) * dt / kSecondsPerHour)),
                         Arg<"flow">(Shown(request, request.inflow[t])),
                         Arg<"highest">(Shown(request, table.HighestOutflow()))));
      }
      // Below the first pair the step is too long for the subreach's storage:
      // the routing would swing to negative outflows.
      if (indication < table.Lowest()) {
        Refuse(FailureKind::InvalidArgument,
               ComposeIn(request.units, Message::RoutingBelowTable, Arg<"ordinate">(std::to_string(t + 1)),
                         Arg<"time">(Shown(request, static_cast<double>(t) * dt / kSecondsPerHour))));
      }
      // The subreach's outflow at the step before is the next one's inflow then.
      previousInflow = outflow[k];
      table.At(indication, cursor[k], outflow[k], storage[k]);
      inflow = outflow[k];
    }
    previousInflow = request.inflow[t];
    result.outflow.push_back(outflow.back());
  }

  double endStorage = 0;  // ft^3
  for (const double held : storage) endStorage += held;
  result.storageEnd = endStorage / volumePerStorage;
  result.inflowPeak = PeakOf(request.inflow, dt);
  result.outflowPeak = PeakOf(result.outflow, dt);
  result.attenuation = result.inflowPeak.flow > 0
                           ? 100 * (result.inflowPeak.flow - result.outflowPeak.flow) / result.inflowPeak.flow
                           : 0;
  result.lag = result.outflowPeak.time - result.inflowPeak.time;
  result.volumeIn = VolumeOf(request.inflow, dt, volumePerStorage);
  result.volumeOut = VolumeOf(result.outflow, dt, volumePerStorage);
  result.massBalance = result.volumeIn - result.volumeOut - (result.storageEnd - result.storageStart);
  return result;
}

int SuggestedSubreaches(double length, double velocityAtPeak, double timeStep) {
  if (!(velocityAtPeak > 0) || !(timeStep > 0)) return 1;
  const double steps = std::round(length / velocityAtPeak / timeStep);
  if (!(steps >= 1)) return 1;
  return steps >= kMostSubreaches ? kMostSubreaches : static_cast<int>(steps);
}

}  // namespace rating::routing
