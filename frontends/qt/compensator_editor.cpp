#include "compensator_editor.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace flyback {

namespace {

// Each editable part: its name, unit, decimals and the member it sets.
struct PartField {
  const char* name;
  const char* unit;
  int decimals;
  double OptoCompensator::*value;
};

constexpr std::array<PartField, 5> kFields = {{
    {"R_LED", " kΩ", 3, &OptoCompensator::R_LED_kOhm},
    {"R_z", " kΩ", 3, &OptoCompensator::R_z_kOhm},
    {"C_z", " nF", 4, &OptoCompensator::C_z_nF},
    {"C_pole", " nF", 4, &OptoCompensator::C_pole_nF},
    {"C_p", " nF", 4, &OptoCompensator::C_p_nF},
}};
// kΩ and nF: 100 MΩ and 100 µF lie beyond any opto-coupler compensator.
constexpr double kHighestValue = 1e5;
constexpr int kFieldsPerRow = 3;

}  // namespace

CompensatorEditor::CompensatorEditor(QWidget* parent)
    : QWidget(parent),
      draw_(new QPushButton(QStringLiteral("Draw with these parts"), this)),
      listed_(new QPushButton(QStringLiteral("The list's parts"), this)),
      proposal_(new QPushButton(QStringLiteral("Take the proposal"), this)) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    auto* spin = new QDoubleSpinBox(this);
    spin->setRange(0, kHighestValue);
    spin->setDecimals(kFields[i].decimals);
    spin->setSuffix(QString::fromUtf8(kFields[i].unit));
    values_[i] = spin;
    const int row = static_cast<int>(i) / kFieldsPerRow;
    const int column = 2 * (static_cast<int>(i) % kFieldsPerRow);
    layout->addWidget(new QLabel(QString::fromUtf8(kFields[i].name), this), row, column);
    layout->addWidget(spin, row, column + 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(draw_);
  buttons->addWidget(listed_);
  buttons->addWidget(proposal_);
  buttons->addStretch();
  layout->addLayout(buttons, 2, 0, 1, 2 * kFieldsPerRow);
  connect(draw_, &QPushButton::clicked, this, [this] {
    OptoCompensator parts = shown_;
    for (std::size_t i = 0; i < kFields.size(); ++i) parts.*kFields[i].value = values_[i]->value();
    if (chosen_) chosen_(parts);
  });
  connect(listed_, &QPushButton::clicked, this, [this] {
    if (chosen_) chosen_(std::nullopt);
  });
  connect(proposal_, &QPushButton::clicked, this, [this] { Fill(proposed_); });
  SetEnabled(false);
}

void CompensatorEditor::Show(const LoopDesign& loop) {
  shown_ = loop.parts;
  proposed_ = loop.compensator.rounded;
  Fill(loop.parts);
  SetEnabled(true);
}

void CompensatorEditor::Disable() {
  SetEnabled(false);
}

void CompensatorEditor::Fill(const OptoCompensator& parts) {
  for (std::size_t i = 0; i < kFields.size(); ++i) values_[i]->setValue(parts.*kFields[i].value);
}

void CompensatorEditor::SetEnabled(bool enabled) {
  for (QDoubleSpinBox* spin : values_) spin->setEnabled(enabled);
  draw_->setEnabled(enabled);
  listed_->setEnabled(enabled);
  proposal_->setEnabled(enabled);
}

}  // namespace flyback
