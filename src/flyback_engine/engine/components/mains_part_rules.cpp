// Mains-side parts: inrush thermistor, filter choke, bridge rectifier.

#include "engine/components/mains_part_catalogue.h"
#include "engine/components/selection_rules.h"

namespace flyback {

std::string_view select_ntc(double I_ntc) {
  return FirstTextBelow(kNtcThermistors, I_ntc);
}

std::string_view select_filter_choke(double I_filter) {
  return FirstTextBelow(kFilterChokes, I_filter);
}

std::string_view select_bridge(bool PFC, MainsFilter filter, double I_in_avg) {
  // The PFC charge pump switches the bridge at high frequency unless the DC
  // filter decouples it: then fast diodes are needed.
  const bool fast = PFC && filter != MainsFilter::kDcFilter;
  return fast ? LastTextAbove(kFastBridges, I_in_avg) : LastTextAbove(kSlowBridges, I_in_avg);
}

}  // namespace flyback
