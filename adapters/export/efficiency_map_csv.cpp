#include "efficiency_map_csv.h"

#include <vector>

#include "base/console/number_text.h"
#include "base/numbers/units.h"
#include "csv_row.h"
#include "engine/efficiency/map_terms.h"

namespace flyback {

namespace {

void AppendPoint(std::string& csv, const MapRow& row, const MapPoint& point) {
  const SwitchingPoint& p = point.stage.switching;
  std::vector<std::string> fields{row.voltage.name};
  for (const double figure :
       {row.voltage.U_input_V, row.voltage.U_bus_V, point.load, point.P_out_W, point.P_in_W,
        point.efficiency, kMicrosecondsPerMillisecond / p.period_us, p.burst_duty}) {
    fields.push_back(SignedNumberText(figure));
  }
  fields.push_back(point.mode);
  for (const LossTerm& term : LossTermsOf(point)) fields.push_back(SignedNumberText(term.P_W));
  AppendRow(csv, fields);
}

}  // namespace

std::string EfficiencyMapCsv(const EfficiencyMap& map) {
  std::vector<std::string> header{"input",  "U_input_V",  "U_bus_V", "load",       "P_out_W",
                                  "P_in_W", "efficiency", "f_kHz",   "burst_duty", "mode"};
  if (!map.rows.empty()) {
    for (const LossTerm& term : LossTermsOf(map.rows.front().no_load)) {
      header.push_back(term.name + " W");
    }
  }
  std::string csv;
  AppendRow(csv, header);
  for (const MapRow& row : map.rows) {
    for (const MapPoint& point : row.loads) AppendPoint(csv, row, point);
    AppendPoint(csv, row, row.no_load);
  }
  return csv;
}

}  // namespace flyback
