#include "engine/design_report/shared_reasons.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace flyback {

namespace {

// A reason cut into its words and its figures, alternating: words[0],
// figures[0], words[1], ..., words.back(). Alike reasons have equal words.
struct CutReason {
  std::vector<std::string> words{""};
  std::vector<std::string> figures;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsWordCharacter(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

CutReason Cut(const std::string& reason) {
  CutReason cut;
  std::size_t i = 0;
  while (i < reason.size()) {
    if (!IsDigit(reason[i]) || (i > 0 && IsWordCharacter(reason[i - 1]))) {
      cut.words.back() += reason[i++];
      continue;
    }
    std::size_t end = i;
    while (end < reason.size() &&
           (IsDigit(reason[end]) ||
            (reason[end] == '.' && end + 1 < reason.size() && IsDigit(reason[end + 1])))) {
      ++end;
    }
    cut.figures.push_back(reason.substr(i, end - i));
    cut.words.emplace_back();
    i = end;
  }
  return cut;
}

double ValueOf(const std::string& figure) {
  double value = 0;
  std::from_chars(figure.data(), figure.data() + figure.size(), value);
  return value;
}

// The figure at `index` of every candidate: the one they all give, or
// "lowest to highest".
std::string FigureOfAll(const std::vector<const CutReason*>& alike, std::size_t index) {
  const auto by_value = [index](const CutReason* x, const CutReason* y) {
    return ValueOf(x->figures[index]) < ValueOf(y->figures[index]);
  };
  const auto [lowest, highest] = std::minmax_element(alike.begin(), alike.end(), by_value);
  const std::string& low = (*lowest)->figures[index];
  const std::string& high = (*highest)->figures[index];
  return low == high ? low : low + " to " + high;
}

// The unit a figure is followed by: " W at the highest ..." gives " W".
std::string UnitAtStartOf(const std::string& words) {
  const std::size_t start = words.starts_with(' ') ? 1 : 0;
  return words.substr(0, words.find_first_of(" ,;.)", start));
}

// The words of `reason` up to its last figure that differs between the
// candidates, with that figure's unit; empty where every figure agrees.
std::string OwnPart(const CutReason& reason, const std::vector<const CutReason*>& alike) {
  std::optional<std::size_t> last_differing;
  for (std::size_t i = 0; i < reason.figures.size(); ++i) {
    for (const CutReason* other : alike) {
      if (other->figures[i] != reason.figures[i]) last_differing = i;
    }
  }
  if (!last_differing) return "";
  std::string text;
  for (std::size_t i = 0; i <= *last_differing; ++i) text += reason.words[i] + reason.figures[i];
  return text + UnitAtStartOf(reason.words[*last_differing + 1]);
}

}  // namespace

SharedReasons ShareReasons(const std::vector<std::vector<std::string>>& reasons) {
  SharedReasons result{{}, reasons};
  if (reasons.size() < 2) return result;
  std::vector<std::vector<CutReason>> cut(reasons.size());
  // For each candidate and reason: what its row says instead, once shared.
  std::vector<std::vector<std::optional<std::string>>> instead(reasons.size());
  for (std::size_t c = 0; c < reasons.size(); ++c) {
    for (const std::string& reason : reasons[c]) cut[c].push_back(Cut(reason));
    instead[c].resize(reasons[c].size());
  }
  for (std::size_t first = 0; first < cut[0].size(); ++first) {
    std::vector<std::size_t> match{first};
    std::vector<const CutReason*> alike{&cut[0][first]};
    for (std::size_t c = 1; c < cut.size(); ++c) {
      for (std::size_t r = 0; r < cut[c].size(); ++r) {
        if (!instead[c][r] && cut[c][r].words == cut[0][first].words) {
          match.push_back(r);
          alike.push_back(&cut[c][r]);
          break;
        }
      }
      if (match.size() == c) break;
    }
    if (match.size() < cut.size()) continue;
    std::string text;
    for (std::size_t i = 0; i < alike.front()->figures.size(); ++i) {
      text += alike.front()->words[i] + FigureOfAll(alike, i);
    }
    result.shared.push_back(text + alike.front()->words.back());
    for (std::size_t c = 0; c < cut.size(); ++c) instead[c][match[c]] = OwnPart(*alike[c], alike);
  }
  for (std::size_t c = 0; c < reasons.size(); ++c) {
    result.own[c].clear();
    for (std::size_t r = 0; r < reasons[c].size(); ++r) {
      const std::string& said = instead[c][r] ? *instead[c][r] : reasons[c][r];
      if (!said.empty()) result.own[c].push_back(said);
    }
  }
  return result;
}

}  // namespace flyback
