#include "engine/design_report/shared_reasons.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

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

// The indices of the figures of `reason` that differ between the candidates.
std::vector<std::size_t> DifferingFigures(const CutReason& reason,
                                          const std::vector<const CutReason*>& alike) {
  std::vector<std::size_t> differing;
  for (std::size_t i = 0; i < reason.figures.size(); ++i) {
    const auto differs = [&](const CutReason* other) {
      return other->figures[i] != reason.figures[i];
    };
    if (std::any_of(alike.begin(), alike.end(), differs)) differing.push_back(i);
  }
  return differing;
}

// The words of `reason` up to its last figure that differs between the
// candidates, with that figure's unit; empty where every figure agrees.
std::string OwnPart(const CutReason& reason, const std::vector<const CutReason*>& alike) {
  const std::vector<std::size_t> differing = DifferingFigures(reason, alike);
  if (differing.empty()) return "";
  std::string text;
  for (std::size_t i = 0; i <= differing.back(); ++i) text += reason.words[i] + reason.figures[i];
  return text + UnitAtStartOf(reason.words[differing.back() + 1]);
}

// `mark` and the figures of `reason` that differ between the candidates,
// each with its unit: "(a) 82.9 %".
std::string MarkedFigures(const std::string& mark, const CutReason& reason,
                          const std::vector<const CutReason*>& alike) {
  std::string text = mark;
  const char* separator = " ";
  for (const std::size_t i : DifferingFigures(reason, alike)) {
    text += separator + reason.figures[i] + UnitAtStartOf(reason.words[i + 1]);
    separator = ", ";
  }
  return text;
}

// The reason with the figures of every alike one: "2.2 to 2.27 W".
std::string TextOfAll(const std::vector<const CutReason*>& alike) {
  std::string text;
  for (std::size_t i = 0; i < alike.front()->figures.size(); ++i) {
    text += alike.front()->words[i] + FigureOfAll(alike, i);
  }
  return text + alike.front()->words.back();
}

// The reasons of every candidate, cut, and for each what its row says
// instead once it is said above the rows.
class Sharing {
 public:
  explicit Sharing(const std::vector<std::vector<std::string>>& reasons)
      : cut_(reasons.size()), instead_(reasons.size()) {
    for (std::size_t c = 0; c < reasons.size(); ++c) {
      for (const std::string& reason : reasons[c]) cut_[c].push_back(Cut(reason));
      instead_[c].resize(reasons[c].size());
    }
  }

  std::size_t Candidates() const { return cut_.size(); }
  std::size_t ReasonsOf(std::size_t candidate) const { return cut_[candidate].size(); }
  bool Said(std::size_t candidate, std::size_t reason) const {
    return instead_[candidate][reason].has_value();
  }

  // Reason `reason` of `candidate` and of every later candidate the first
  // alike reason not yet said, as pairs of candidate and reason.
  std::vector<std::pair<std::size_t, std::size_t>> AlikeFrom(std::size_t candidate,
                                                             std::size_t reason) const {
    std::vector<std::pair<std::size_t, std::size_t>> match{{candidate, reason}};
    const CutReason& first = cut_[candidate][reason];
    for (std::size_t c = candidate + 1; c < cut_.size(); ++c) {
      for (std::size_t r = 0; r < cut_[c].size(); ++r) {
        if (!Said(c, r) && cut_[c][r].words == first.words) {
          match.emplace_back(c, r);
          break;
        }
      }
    }
    return match;
  }

  // Says the matched reasons once: returns their text with every figure,
  // and each row keeps what `own` makes of its reason.
  template <typename Own>
  std::string Say(const std::vector<std::pair<std::size_t, std::size_t>>& match, Own own) {
    std::vector<const CutReason*> alike;
    alike.reserve(match.size());
    for (const auto& [c, r] : match) alike.push_back(&cut_[c][r]);
    for (std::size_t m = 0; m < match.size(); ++m) {
      instead_[match[m].first][match[m].second] = own(*alike[m], alike);
    }
    return TextOfAll(alike);
  }

  // What the row of `candidate` keeps of its `reasons`, in their order.
  std::vector<std::string> Own(std::size_t candidate,
                               const std::vector<std::string>& reasons) const {
    std::vector<std::string> own;
    for (std::size_t r = 0; r < reasons.size(); ++r) {
      const std::string& said = instead_[candidate][r] ? *instead_[candidate][r] : reasons[r];
      if (!said.empty()) own.push_back(said);
    }
    return own;
  }

 private:
  std::vector<std::vector<CutReason>> cut_;
  std::vector<std::vector<std::optional<std::string>>> instead_;
};

}  // namespace

SharedReasons ShareReasons(const std::vector<std::vector<std::string>>& reasons) {
  SharedReasons result{{}, {}, reasons};
  if (reasons.size() < 2) return result;
  Sharing sharing(reasons);
  for (std::size_t first = 0; first < sharing.ReasonsOf(0); ++first) {
    const auto match = sharing.AlikeFrom(0, first);
    if (match.size() == sharing.Candidates()) result.shared.push_back(sharing.Say(match, OwnPart));
  }
  for (std::size_t c = 0; c < sharing.Candidates(); ++c) {
    for (std::size_t r = 0; r < sharing.ReasonsOf(c); ++r) {
      if (sharing.Said(c, r)) continue;
      const auto match = sharing.AlikeFrom(c, r);
      if (match.size() < 2) continue;
      const std::string mark = NoteMark(result.noted.size());
      const auto marked = [&mark](const CutReason& reason,
                                  const std::vector<const CutReason*>& alike) {
        return MarkedFigures(mark, reason, alike);
      };
      result.noted.push_back(mark + " " + sharing.Say(match, marked));
    }
  }
  for (std::size_t c = 0; c < reasons.size(); ++c) result.own[c] = sharing.Own(c, reasons[c]);
  return result;
}

std::string NoteMark(std::size_t index) {
  constexpr std::size_t kLetters = 26;
  std::string letters;
  for (std::size_t n = index + 1; n > 0; n = (n - 1) / kLetters) {
    letters.insert(letters.begin(), static_cast<char>('a' + (n - 1) % kLetters));
  }
  return "(" + letters + ")";
}

}  // namespace flyback
