#include "engine/transformer/core_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace flyback {
namespace {

TEST(CoreCatalogue, LayerCoresAreUniqueAndGrowInCrossSection) {
  std::set<std::string_view> names;
  double previous_Ae = 0;
  for (std::size_t i = 0; i < kLayerCores.size(); ++i) {
    const LayerCore& core = kLayerCores[i];
    EXPECT_EQ(core.choice, std::to_string(i));
    EXPECT_TRUE(names.insert(core.name).second) << core.name;
    EXPECT_GT(core.Ae, previous_Ae) << core.name;
    EXPECT_LT(core.AL_x, 0) << core.name;  // a wider airgap lowers AL
    previous_Ae = core.Ae;
  }
}

TEST(CoreCatalogue, SlotTransformersStoreTheMakerExceptRowSeven) {
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kSlotTransformers.size(); ++i) {
    const SlotTransformer& t = kSlotTransformers[i];
    EXPECT_EQ(t.choice, static_cast<int>(i) + 1);
    EXPECT_TRUE(names.insert(t.stored_name).second) << t.stored_name;
    const std::string expected =
        t.choice == 7 ? std::string(t.shown_name) : std::string(t.shown_name) + " (Orega)";
    EXPECT_EQ(t.stored_name, expected);
  }
}

TEST(CoreCatalogue, AirgapLawOfTheLayerCores) {
  EXPECT_NEAR(LayerCoreAL(LayerCoreFor("2"), 1.5), 133.96, 5e-3);  // E36/11
  EXPECT_NEAR(LayerCoreAL(LayerCoreFor("0"), 1.5), 66.91, 5e-3);   // EF 25
  EXPECT_DOUBLE_EQ(LayerCoreAL(LayerCoreFor("6"), 1), 496);        // AL_k at 1 mm
}

TEST(CoreCatalogue, LayerAnswersOutsideTheTableTakeTheSmallestCore) {
  EXPECT_EQ(LayerCoreFor("2").name, "E36/11");
  for (const char* answer : {"7", "x", " 2", "2.0", "-1", ""}) {
    EXPECT_EQ(LayerCoreFor(answer).name, "EF 25") << answer;
  }
}

TEST(CoreCatalogue, SlotAnswerFallbacks) {
  EXPECT_EQ(SlotTransformerFor(4.0).stored_name, "SMT 31/190 (Orega)");
  EXPECT_EQ(SlotTransformerFor(7.0).stored_name, "SMT 4/192");
  EXPECT_EQ(SlotTransformerFor(12.0).stored_name, "SMT 89/340 (Orega)");
  // 0 takes row 4; any other number or a text takes row 1.
  EXPECT_EQ(SlotTransformerFor(0.0).choice, 4);
  for (const std::optional<double> answer :
       {std::optional<double>(), std::optional(13.0), std::optional(2.5), std::optional(-4.0)}) {
    EXPECT_EQ(SlotTransformerFor(answer).choice, 1);
  }
}

}  // namespace
}  // namespace flyback
