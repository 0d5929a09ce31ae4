#pragma once

// The built-in transformer catalogues: seven ferrite cores for layer-type
// windings (AL follows from the airgap by a power law) and twelve ready-made
// slot-type transformers with fixed AL and Ae.

#include <array>
#include <optional>
#include <string_view>

namespace flyback {

struct LayerCore {
  std::string_view choice;  // answer that selects the row, "0" to "6"
  std::string_view name;    // tr_name
  double Ae;                // mm², effective core cross-section
  double AL_k;              // nH, AL at an airgap of 1 mm
  double AL_x;              // exponent of the airgap law
  std::string_view range;   // output power range, as shown
};

inline constexpr std::array<LayerCore, 7> kLayerCores = {{
    {"0", "EF 25", 52.5, 90, -0.731, "5 W.....20 W"},
    {"1", "ETD 29", 76, 124, -0.7, "10 W....30 W"},
    {"2", "E36/11", 120, 181.5, -0.749, "20 W....80 W"},
    {"3", "ER42/15", 170, 257, -0.741, "50 W....200 W"},
    {"4", "E42/21/20", 234, 353.7, -0.77, "100 W...300 W"},
    {"5", "ETD 54", 280, 393, -0.779, "100 W...320 W"},
    {"6", "E55/28/21", 354, 496, -0.764, "150 W...400 W"},
}};

struct SlotTransformer {
  int choice;                    // 1 to 12
  std::string_view shown_name;   // name in the table
  std::string_view stored_name;  // tr_name
  double AL;                     // nH
  double Ae;                     // mm²
  std::string_view range;        // output power range, as shown
};

inline constexpr std::array<SlotTransformer, 12> kSlotTransformers = {{
    {1, "SMT 1/220", "SMT 1/220 (Orega)", 220, 90, "10 W....30 W"},
    {2, "SMT 1/240", "SMT 1/240 (Orega)", 240, 90, "10 W....30 W"},
    {3, "SMT 1/260", "SMT 1/260 (Orega)", 260, 90, "10 W....30 W"},
    {4, "SMT 31/190", "SMT 31/190 (Orega)", 190, 125, "20 W....80 W"},
    {5, "SMT 31/220", "SMT 31/220 (Orega)", 220, 125, "20 W....80 W"},
    {6, "SMT 31/250", "SMT 31/250 (Orega)", 250, 125, "20 W....80 W"},
    {7, "SMT 4/192", "SMT 4/192", 192, 180, "50 W...200 W"},
    {8, "SMT 4/238", "SMT 4/238 (Orega)", 238, 180, "50 W...200 W"},
    {9, "SMT 4/250", "SMT 4/250 (Orega)", 250, 180, "50 W...200 W"},
    {10, "SMT 4/280", "SMT 4/280 (Orega)", 280, 180, "50 W...200 W"},
    {11, "SMT 89/303", "SMT 89/303 (Orega)", 303, 330, "150 W..350 W"},
    {12, "SMT 89/340", "SMT 89/340 (Orega)", 340, 330, "150 W..300 W"},
}};

// The core whose choice equals the answer; any other answer takes "EF 25".
const LayerCore& LayerCoreFor(std::string_view answer);

// AL in nH of a layer core at the airgap g (mm): AL_k × g ^ AL_x.
double LayerCoreAL(const LayerCore& core, double g);

// The slot transformer for an answer read by the whole-answer rule: 0 takes
// row 4, 1 to 12 their row, anything else (no number included) row 1.
const SlotTransformer& SlotTransformerFor(std::optional<double> answer);

}  // namespace flyback
