#pragma once

// The compensator of the loop's curves, set by hand in the tab "Loop": the
// LED's series resistor, R_z, C_z, C_pole and C_p (the divider's R65 is
// the design's own). "Draw with these parts" hands the values on; "The
// list's parts" goes back to the component list's; "Take the proposal"
// fills in the proposal's values to start from.

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "engine/loop/loop_design.h"

class QDoubleSpinBox;
class QPushButton;

namespace flyback {

class CompensatorEditor : public QWidget {
 public:
  // The parts the user chose; none: the component list's.
  using Chosen = std::function<void(const std::optional<OptoCompensator>& parts)>;

  explicit CompensatorEditor(QWidget* parent = nullptr);

  // Shows the parts `loop`'s curves are drawn with and enables the editor.
  void Show(const LoopDesign& loop);
  // No loop: nothing to edit.
  void Disable();
  void OnChosen(Chosen chosen) { chosen_ = std::move(chosen); }

  // In the order R_LED, R_z, C_z, C_pole, C_p.
  QDoubleSpinBox* value(int i) const { return values_.at(static_cast<std::size_t>(i)); }
  QPushButton* draw_button() const { return draw_; }
  QPushButton* listed_button() const { return listed_; }
  QPushButton* proposal_button() const { return proposal_; }

 private:
  void Fill(const OptoCompensator& parts);
  void SetEnabled(bool enabled);

  std::array<QDoubleSpinBox*, 5> values_{};
  QPushButton* draw_;
  QPushButton* listed_;
  QPushButton* proposal_;
  OptoCompensator shown_;     // R65 comes from it unchanged
  OptoCompensator proposed_;  // the proposal's rounded parts
  Chosen chosen_;
};

}  // namespace flyback
