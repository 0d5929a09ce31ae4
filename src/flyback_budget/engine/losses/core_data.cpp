#include "engine/losses/core_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/losses/core_data_tables.h"

namespace flyback {

namespace {

const CoreDataTables& Tables() {
  return EmbeddedCoreData();
}

// How far apart two areas are on a logarithmic scale: 0 when equal.
double AeDistance(double a_mm2, double b_mm2) {
  return std::abs(std::log(a_mm2 / b_mm2));
}

std::string AreaText(double area_mm2) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, area_mm2, std::chars_format::general, 4);
  return std::string(text, end.ptr) + " mm²";
}

}  // namespace

std::optional<CoreGeometry> GeometryForLayerCore(std::string_view core_name) {
  for (const LayerCoreData& row : Tables().layer_cores) {
    if (row.core == core_name) return row.geometry;
  }
  return std::nullopt;
}

std::optional<CoreGeometry> GeometryForSlotTransformer(int choice) {
  for (const SlotTransformerData& row : Tables().slot_transformers) {
    if (row.choice == choice) return row.geometry;
  }
  return std::nullopt;
}

AeRange CoveredAeRange() {
  const auto [smallest, largest] = std::ranges::minmax(
      Tables().shapes, {}, [](const CoreGeometry& shape) { return shape.A_e_mm2; });
  return {Tables().estimate.below_smallest * smallest.A_e_mm2,
          Tables().estimate.above_largest * largest.A_e_mm2};
}

GeometryEstimate EstimatedGeometryForAe(double Ae_mm2) {
  const AeRange covered = CoveredAeRange();
  if (!(Ae_mm2 >= covered.min_mm2 && Ae_mm2 <= covered.max_mm2)) {
    return {std::nullopt, "no standard core shape near Ae = " + AreaText(Ae_mm2) +
                              " (estimates cover " + AreaText(covered.min_mm2) + " to " +
                              AreaText(covered.max_mm2) + ")"};
  }
  // min_element keeps the first of equal distances: the earlier row wins a tie.
  const CoreGeometry& nearest = *std::ranges::min_element(
      Tables().shapes, {},
      [Ae_mm2](const CoreGeometry& shape) { return AeDistance(Ae_mm2, shape.A_e_mm2); });
  CoreGeometry estimate = nearest;
  estimate.estimated = true;
  estimate.note = "borrowed from the standard shape whose A_e is nearest to the transformer's Ae";
  return {estimate, {}};
}

std::span<const CoreGeometry> StandardShapes() {
  return Tables().shapes;
}

std::span<const FerriteMaterial> Materials() {
  return Tables().materials;
}

const FerriteMaterial* MaterialNamed(std::string_view name) {
  const auto found = std::ranges::find(Tables().materials, name, &FerriteMaterial::name);
  return found == Tables().materials.end() ? nullptr : &*found;
}

const FerriteMaterial& DefaultMaterial() {
  return *MaterialNamed(Tables().default_material);
}

const FerriteMaterial& MaterialForLayerCore(std::string_view core_name) {
  const auto row = std::ranges::find(Tables().layer_cores, core_name, &LayerCoreData::core);
  if (row == Tables().layer_cores.end()) return DefaultMaterial();
  return *MaterialNamed(row->material);
}

const FerriteMaterial& MaterialForSlotTransformer(int choice) {
  const auto row =
      std::ranges::find(Tables().slot_transformers, choice, &SlotTransformerData::choice);
  if (row == Tables().slot_transformers.end()) return DefaultMaterial();
  return *MaterialNamed(row->material);
}

std::span<const DatasheetPoint> DatasheetPoints() {
  return Tables().datasheet_points;
}

}  // namespace flyback
