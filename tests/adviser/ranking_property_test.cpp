// The adviser's order must reward efficiency: a candidate whose computed
// efficiency alone is higher never stands lower. A sweep over random
// candidate lists with a fixed seed, so a failure is the same on every run.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/adviser/core_ranking.h"

namespace flyback {
namespace {

int RankOf(const std::vector<RankedCandidate>& ranking, const std::string& name) {
  const auto it = std::find_if(ranking.begin(), ranking.end(), [&name](const RankedCandidate& r) {
    return r.assessment.candidate.name == name;
  });
  return it == ranking.end() ? 0 : it->rank;
}

TEST(RankingProperties, HigherEfficiencyNeverRanksACandidateLower) {
  std::mt19937 random(20261210U);
  std::uniform_real_distribution<double> efficiency(0.70, 0.95);
  std::uniform_real_distribution<double> rise_K(5, 60);
  std::uniform_real_distribution<double> share(0, 1);
  std::uniform_real_distribution<double> volume_mm3(2000, 60000);
  std::uniform_real_distribution<double> gain(0.0005, 0.05);
  constexpr int kLists = 300;
  constexpr int kCandidates = 6;
  for (int list = 0; list < kLists; ++list) {
    std::vector<CandidateAssessment> assessments;
    for (int i = 0; i < kCandidates; ++i) {
      CandidateAssessment a;
      a.candidate.name = std::to_string(i);
      a.figures = CandidateFigures{
          efficiency(random), rise_K(random), share(random), volume_mm3(random), 300, 30, 50};
      // Usable, marginal and rejected candidates mixed.
      const double kind = share(random);
      if (kind > 0.6) a.findings.push_back({Severity::kWarning, "", {}, 0, 0, "warm"});
      if (kind > 0.9) a.findings.push_back({Severity::kError, "", {}, 0, 0, "broken"});
      assessments.push_back(std::move(a));
    }
    const int chosen = list % kCandidates;
    const std::string name = std::to_string(chosen);
    const int before = RankOf(RankCandidates(assessments, AdviserWeights{}), name);
    assessments[static_cast<std::size_t>(chosen)].figures->efficiency += gain(random);
    const int after = RankOf(RankCandidates(assessments, AdviserWeights{}), name);
    ASSERT_GT(before, 0);
    EXPECT_LE(after, before) << "list " << list;
  }
}

}  // namespace
}  // namespace flyback
