#pragma once

// The tables behind core_data.h, as the build writes them from data/cores/
// (cmake/EmbedCoreData.cmake); only core_data.cpp reads them.

#include <span>
#include <string_view>

#include "engine/losses/core_data.h"

namespace flyback {

struct LayerCoreData {
  std::string_view core;  // catalogue name, "EF 25"
  CoreGeometry geometry;
  std::string_view material;
};

struct SlotTransformerData {
  int choice;     // 1 to 12
  double Ae_mm2;  // the catalogue's Ae the shape was chosen by
  CoreGeometry geometry;
  std::string_view material;
};

struct EstimateFactors {
  double below_smallest, above_largest;  // covered: factor × smallest to factor × largest A_e
};

struct CoreDataTables {
  std::span<const CoreGeometry> shapes;
  std::span<const LayerCoreData> layer_cores;
  std::span<const SlotTransformerData> slot_transformers;
  std::span<const FerriteMaterial> materials;
  std::span<const DatasheetPoint> datasheet_points;
  EstimateFactors estimate;
  std::string_view default_material;
};

const CoreDataTables& EmbeddedCoreData();

}  // namespace flyback
