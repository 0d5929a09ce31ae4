#pragma once

// Core geometry and ferrite loss data for the loss budget: the figures of the
// catalogue's cores that the calculation itself does not need (magnetic
// length, volume, winding window, turn length, surface) and Steinmetz fits of
// power ferrites. The tables are written at build time from
// data/cores/geometry.json and data/cores/materials.json.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/losses/core_loss.h"

namespace flyback {

struct CoreGeometry {
  std::string_view shape;  // standard core shape, "ETD 39/20/13"
  double l_e_mm;           // effective magnetic length
  double V_e_mm3;          // effective volume
  double A_e_mm2;          // effective area of the shape (the catalogue's Ae is used to calculate)
  double window_area_mm2;  // winding window of the core set, one side
  double bobbin_width_mm;  // winding width of the coil former
  double mean_turn_length_mm;  // at half the winding build
  double surface_cm2;          // outer surface of the wound core, for the temperature rise
  bool estimated;              // borrowed from the shape nearest by A_e
  std::string_view note;       // how the figures were found or derived
  std::string_view source;     // datasheet or standard of the figures
};

// The ranges of a material ascend and meet: each one's f_min_Hz is the
// previous one's f_max_Hz. SteinmetzRangeFor picks the one that applies: at
// a shared edge the lower range, below the first range the first, above the
// last the last.
struct FerriteMaterial {
  std::string_view name;  // "N87"
  std::span<const SteinmetzRange> ranges;
  double Pv_limit_W_per_m3;  // design ceiling of the loss density
  std::string_view source;
};

// What a published loss density stands for: a maximum the maker guarantees
// for a core set (a fit stays below it), or a typical value the maker
// tabulates for the material (a fit reproduces it).
enum class DatasheetPointKind { kGuaranteedMaximum, kTypical };

// A published core loss at sinusoidal flux, as a loss density.
struct DatasheetPoint {
  std::string_view material;
  DatasheetPointKind kind;
  double f_Hz, B_peak_T, T_degC, Pv_W_per_m3;
  std::string_view source;  // document, date, page or table, address
};

// The geometry of a layer-type core by its catalogue name ("EF 25").
std::optional<CoreGeometry> GeometryForLayerCore(std::string_view core_name);

// The estimated geometry of slot-type transformer `choice` (1 to 12).
std::optional<CoreGeometry> GeometryForSlotTransformer(int choice);

struct GeometryEstimate {
  std::optional<CoreGeometry> geometry;  // the nearest standard shape by A_e
  std::string reason;                    // why there is none
};

// The geometry of a transformer known only by its Ae (mm²): the standard
// shape whose A_e is nearest on a logarithmic scale, none outside the
// covered range.
GeometryEstimate EstimatedGeometryForAe(double Ae_mm2);

struct AeRange {
  double min_mm2, max_mm2;
};
AeRange CoveredAeRange();

// The standard shapes the estimates borrow from.
std::span<const CoreGeometry> StandardShapes();

std::span<const FerriteMaterial> Materials();
const FerriteMaterial* MaterialNamed(std::string_view name);

// The ferrite assumed for a catalogue row, and for any other transformer.
const FerriteMaterial& MaterialForLayerCore(std::string_view core_name);
const FerriteMaterial& MaterialForSlotTransformer(int choice);
const FerriteMaterial& DefaultMaterial();

std::span<const DatasheetPoint> DatasheetPoints();

}  // namespace flyback
