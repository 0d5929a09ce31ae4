#include "engine/reports/result_report.h"

#include "engine/transformer/result_lines.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

void AddEmpty(std::vector<Line>& lines, int count) {
  for (int i = 0; i < count; ++i) lines.emplace_back();
}

void AddWindingHeader(const DesignInputs& in, std::vector<Line>& lines) {
  if (in.wire_counts) {
    lines.push_back(
        {"    Windg.", zone, "n / I/A", zone, "Ieff/wires*", zone, "Umin/Umax/V", " Uact/V"});
  } else {
    lines.push_back(
        {"    Windg.", zone, "n / I/A", zone, "Irms/cross s.*", " Umin/Umax/V", zone, " Uact/V"});
  }
}

void AddFootnotes(const DesignInputs& in, std::vector<Line>& lines) {
  lines.push_back({"    Output voltages incl.", in.U_F_sec, "V voltage drop at sec. diodes"});
  lines.emplace_back();
  lines.push_back({"    Current density ", in.J, "A/mm²"});
  lines.emplace_back();
  if (in.wire_counts) {
    lines.push_back({"    *: Wire diameter ", in.d_wire, "mm"});
  } else {
    lines.push_back({"   *'cross s.' = minimum cross section of needed wire for highest current."});
  }
}

}  // namespace

std::vector<Line> ResultReportBody(const DesignState& present) {
  std::vector<Line> lines;
  lines.emplace_back();
  lines.push_back(CoreLine(present));
  AddEmpty(lines, 3);
  // An empty line after every figure, and four after the last.
  for (Line& line : ResultFigureLines(present, ResultMedium::kFile)) {
    lines.push_back(std::move(line));
    lines.emplace_back();
  }
  AddEmpty(lines, 3);
  AddWindingHeader(present.inputs, lines);
  AddEmpty(lines, 2);
  for (Line& line : WindingRows(present, "    ")) lines.push_back(std::move(line));
  AddEmpty(lines, 2);
  AddFootnotes(present.inputs, lines);
  return lines;
}

}  // namespace flyback
