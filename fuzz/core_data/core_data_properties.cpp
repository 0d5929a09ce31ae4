#include "core_data_properties.h"

#include <algorithm>
#include <vector>

#include "core_data_file.h"
#include "core_data_ranges.h"
#include "engine/checks/loss_checks.h"
#include "transformer/demo_calculation.h"

namespace flyback {

namespace {

// Valid UTF-8 in its structure (a lead byte, then as many continuation
// bytes as it announces), without control characters, of at most max_chars
// code points. Checked apart from the reader's own cutting, so that a fault
// there shows.
bool IsShortLine(std::string_view text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t at = 0; at < text.size(); ++chars) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    } else if (lead >= 0x80 || lead < 0x20 || lead == 0x7F) {
      return false;  // a stray continuation byte or a control character
    }
    if (lead > 0xF4 || at + length > text.size()) return false;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0U) != 0x80U) return false;
    }
    at += length;
  }
  return chars <= max_chars;
}

bool Inside(double value, const PhysicalRange& range) {
  return value >= range.lowest && value <= range.highest;
}

std::string FiguresBroken(const UserCoreData& core) {
  for (const GeometryField& field : kGeometryFields) {
    if (!Inside(core.figures.*field.figure, field.range)) return "geometry out of range";
  }
  if (!Inside(core.Pv_limit_W_per_m3, kLossDensityLimitRange)) return "loss limit out of range";
  if (core.ranges.empty()) return "no Steinmetz range";
  for (std::size_t i = 0; i < core.ranges.size(); ++i) {
    const SteinmetzRange& range = core.ranges[i];
    if (!Inside(range.f_min_Hz, kFitFrequencyRange) ||
        !Inside(range.f_max_Hz, kFitFrequencyRange) || range.f_max_Hz <= range.f_min_Hz) {
      return "a range's frequencies out of order";
    }
    if (i > 0 && range.f_min_Hz != core.ranges[i - 1].f_max_Hz) return "ranges that do not meet";
    for (const SteinmetzField& field : kSteinmetzFields) {
      if (!Inside(range.set.*field.coefficient, field.range)) return "a coefficient out of range";
    }
  }
  // The texts of the file; a built-in grade's source is the program's own.
  const FerriteMaterial* grade = MaterialNamed(core.material_name);
  const bool own_source = grade == nullptr || grade->source != core.material_source;
  if (!IsShortLine(core.shape, kTextMaxChars) || !IsShortLine(core.material_name, kTextMaxChars) ||
      (own_source && !IsShortLine(core.material_source, kTextMaxChars))) {
    return "a text of more than one short line";
  }
  return "";
}

// The ranges promise a finite budget for a sound design.
std::string BudgetBroken(const UserCoreData& core) {
  static const DesignState demo = CalculatedWithComponents(ThreeOutputDemo());
  const std::vector<Finding> findings = CheckLosses(demo.inputs, ComputeLossBudget(demo, &core));
  const bool spoilt = std::ranges::any_of(
      findings, [](const Finding& finding) { return finding.code == "loss-budget-not-finite"; });
  return spoilt ? "the demonstration's loss budget is not finite" : "";
}

}  // namespace

std::string CoreDataPropertyBroken(std::string_view content) {
  UserCoreData core;
  try {
    core = ReadCoreData(content, "fuzz.json");
  } catch (const CoreDataFileError& error) {
    return IsShortLine(error.what(), kCoreDataMessageMaxChars)
               ? ""
               : "the message is not one line of at most 200 characters";
  }
  std::string broken = FiguresBroken(core);
  return broken.empty() ? BudgetBroken(core) : broken;
}

}  // namespace flyback
