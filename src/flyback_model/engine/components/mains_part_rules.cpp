// Mains-side parts: inrush thermistor, filter choke, bridge rectifier.

#include "engine/components/mains_part_catalogue.h"
#include "engine/components/selection_rules.h"

namespace flyback {

const Proposal& select_ntc(double I_ntc) {
  return FirstBelow(kNtcThermistors, I_ntc);
}

const Proposal& select_filter_choke(double I_filter) {
  return FirstBelow(kFilterChokes, I_filter);
}

const Proposal& select_bridge(bool PFC, MainsFilter filter, double I_in_avg) {
  // The PFC charge pump switches the bridge at high frequency unless the DC
  // filter decouples it: then fast diodes are needed.
  const bool fast = PFC && filter != MainsFilter::kDcFilter;
  return fast ? LastAbove(kFastBridges, I_in_avg) : LastAbove(kSlowBridges, I_in_avg);
}

}  // namespace flyback
