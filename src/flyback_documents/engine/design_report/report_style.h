#pragma once

// The style sheet of the design report: compact on the screen, and printed
// on A4 with a new page where a chapter begins and no table, chart or
// derivation cut across a page break.

#include "engine/design_report/html_text.h"

namespace flyback {

inline Html DesignReportStyle() {
  return R"css(
@page { size: A4; margin: 12mm 13mm 12mm 13mm; }
html { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 8.6pt;
       line-height: 1.28; color: #111; }
body { margin: 0 auto; max-width: 184mm; }
h1 { font-size: 15pt; margin: 0 0 1mm 0; }
h2 { font-size: 11pt; margin: 3.5mm 0 1.5mm 0; border-bottom: 0.4pt solid #555;
     break-after: avoid; page-break-after: avoid; }
p { margin: 1mm 0; }
h3 { font-size: 9.5pt; margin: 2.5mm 0 1mm 0; break-after: avoid; page-break-after: avoid; }
.title-block { border: 0.6pt solid #333; padding: 2mm 3mm; margin-bottom: 2mm; }
.title-block p { margin: 0.4mm 0; }
.chapter { break-before: page; page-break-before: always; }
table, figure, .keep { break-inside: avoid; page-break-inside: avoid; }
/* The ranking and the simulation are read as a whole: each moves to the
   next page rather than leave its heading and notes behind. */
#alternatives, #simulation { break-inside: avoid; page-break-inside: avoid; }
table { border-collapse: collapse; width: 100%; margin: 1mm 0 2mm 0; font-size: 8pt; }
th, td { border: 0.4pt solid #999; padding: 0.25mm 1.2mm; text-align: left; vertical-align: top; }
th { background: #eee; }
td.number, th.number { text-align: right; }
tr.step td { color: #444; }
tr.shown td { font-weight: bold; }
table.derivations, table.winding-sheet, table.parts { font-size: 7.6pt; }
table.derivations td, table.derivations th { padding: 0.2mm 1.2mm; }
table.derivations td:first-child { width: 23%; }
table.derivations td:last-child { width: 11%; white-space: nowrap; }
table.winding-sheet td { white-space: nowrap; }
table.winding-sheet td:last-child { white-space: normal; }
table.simulation { font-size: 7.2pt; line-height: 1.1; }
table.simulation td { white-space: nowrap; padding: 0.05mm 1.2mm; }
.formula { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; font-size: 7.4pt; }
.fine { color: #1a6b1a; fill: #1a6b1a; }
.warning { color: #a85a00; fill: #d08000; }
.error { color: #b00000; fill: #c00000; }
figure { margin: 1mm 0 2mm 0; }
figcaption { font-size: 8pt; color: #333; }
svg.chart { display: block; max-width: 100%; height: auto; font-size: 9px; }
svg text.title { font-weight: bold; }
svg .grid { stroke: #ddd; stroke-width: 0.6; }
svg .frame { fill: none; stroke: #555; stroke-width: 0.8; }
svg .range { fill: #e6e6e6; }
svg .window { fill: #cfe3f5; stroke: #4a7fb0; stroke-width: 0.8; }
svg .primary { fill: none; stroke: #1f5fa8; stroke-width: 1.6; }
svg .secondary { fill: none; stroke: #c05a00; stroke-width: 1.6; stroke-dasharray: 5 3; }
svg .primary-label { fill: #1f5fa8; }
svg .secondary-label { fill: #c05a00; }
svg .simulated-primary { fill: none; stroke: #1f5fa8; stroke-width: 1.2; }
svg .simulated-secondary { fill: none; stroke: #c05a00; stroke-width: 1.2; }
svg .calculated { fill: none; stroke: #555; stroke-width: 1; stroke-dasharray: 4 3; }
td.outside { color: #b06000; font-weight: bold; }
svg .sweep { fill: none; stroke: #1f5fa8; stroke-width: 1.2; }
svg .row { fill: #1f5fa8; }
svg .best { fill: none; stroke: #c00000; stroke-width: 1.6; }
svg .chosen { stroke: #c00000; stroke-width: 1; stroke-dasharray: 3 3; }
svg .map-0 { fill: none; stroke: #1f5fa8; stroke-width: 1.4; }
svg .map-1 { fill: none; stroke: #c05a00; stroke-width: 1.4; stroke-dasharray: 6 2; }
svg .map-2 { fill: none; stroke: #2a8a3a; stroke-width: 1.4; stroke-dasharray: 2 2; }
svg .map-3 { fill: none; stroke: #7a3aa0; stroke-width: 1.4; stroke-dasharray: 8 3 2 3; }
svg .map-0-point { fill: #1f5fa8; }
svg .map-1-point { fill: #c05a00; }
svg .map-2-point { fill: #2a8a3a; }
svg .map-3-point { fill: #7a3aa0; }
svg .limit { fill: none; stroke: #b00000; stroke-width: 1; stroke-dasharray: 4 2; }
svg .limit-label { fill: #b00000; font-size: 8px; }
svg .bode { fill: none; stroke: #1f5fa8; stroke-width: 1.4; }
svg .crossover { fill: #c00000; }
figure.pair svg.chart { display: inline-block; width: 49.5%; }
.side-by-side { display: flex; gap: 3mm; align-items: flex-start; break-inside: avoid;
                page-break-inside: avoid; }
.side-by-side > * { flex: 9 1 0; min-width: 0; margin: 0; }
.side-by-side > div, .side-by-side > figcaption { flex: 11 1 0; }
table.map { font-size: 7.4pt; margin: 0 0 1.5mm 0; }
table.map td, table.map th { padding: 0.1mm 1mm; white-space: nowrap; }
table.parts { line-height: 1.06; }
table.parts td, table.parts th { padding: 0 1.2mm; }
table.ranking { font-size: 7.2pt; line-height: 1.15; }
table.ranking td { white-space: nowrap; padding: 0.1mm 0.8mm; }
table.ranking td:last-child { white-space: normal; font-size: 6.8pt; }
table.loop { font-size: 7.4pt; }
table.loop td { white-space: nowrap; }
table.loop td:last-child { white-space: normal; }
.notes p { margin: 0.6mm 0; }
.notes { font-size: 7.8pt; }
footer { margin-top: 3mm; font-size: 7.5pt; color: #555; }
)css";
}

}  // namespace flyback
