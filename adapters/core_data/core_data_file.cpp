#include "core_data_file.h"

#include <array>
#include <charconv>
#include <nlohmann/json.hpp>

#include "core_data_ranges.h"
#include "one_line_text.h"
#include "regular_file_reading.h"

namespace flyback {

namespace {

using nlohmann::json;

// Characters of a value that a message shows.
constexpr std::size_t kShownValueMaxChars = 40;

[[noreturn]] void Fail(const std::string& problem) {
  throw CoreDataFileError(OneLineText(problem, kCoreDataMessageMaxChars));
}

// A value as a message shows it: a text or a number as written (cut short),
// a list or an object by its kind.
std::string Shown(const json& value) {
  if (value.is_array()) return "a list";
  if (value.is_object()) return "an object";
  if (value.is_string()) {
    return '"' + OneLineText(value.get_ref<const std::string&>(), kShownValueMaxChars) + '"';
  }
  return OneLineText(value.dump(), kShownValueMaxChars);
}

// A bound as the messages write it: 1000, 0.1, 1e+07.
std::string Bound(double value) {
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  return {digits.data(), end};
}

const json& Field(const json& object, const std::string& where, std::string_view key) {
  const auto found = object.find(key);
  if (found == object.end()) Fail("the field " + where + std::string(key) + " is missing");
  return *found;
}

const json& Object(const json& object, const std::string& where, std::string_view key) {
  const json& value = Field(object, where, key);
  if (!value.is_object()) Fail(where + std::string(key) + " must be an object");
  return value;
}

double Number(const json& object, const std::string& where, std::string_view key,
              const PhysicalRange& range) {
  const json& value = Field(object, where, key);
  const std::string name = where + std::string(key);
  if (!value.is_number()) Fail(name + " must be a number, not " + Shown(value));
  const double number = value.get<double>();
  if (number >= range.lowest && number <= range.highest) return number;
  if (range.lowest > 0 && number <= 0) Fail(name + " must be above 0, not " + Shown(value));
  const std::string unit = range.unit.empty() ? "" : " " + std::string(range.unit);
  Fail(name + " must lie from " + Bound(range.lowest) + " to " + Bound(range.highest) + unit +
       ", not " + Shown(value));
}

// A text of one line: no control characters, at most kTextMaxChars.
std::string Text(const json& object, const std::string& where, std::string_view key) {
  const json& value = Field(object, where, key);
  const std::string name = where + std::string(key);
  if (!value.is_string()) Fail(name + " must be a text, not " + Shown(value));
  const auto& text = value.get_ref<const std::string&>();
  if (OneLineText(text, kTextMaxChars) != text) {
    Fail(name + " must be one line of at most " + std::to_string(kTextMaxChars) + " characters");
  }
  return text;
}

std::string OptionalText(const json& object, const std::string& where, std::string_view key) {
  return object.contains(key) ? Text(object, where, key) : std::string();
}

void ReadGeometry(const json& file, UserCoreData& core) {
  const json& geometry = Object(file, "", "geometry");
  const std::string where = "geometry.";
  core.shape = Text(geometry, where, "shape");
  for (const GeometryField& field : kGeometryFields) {
    core.figures.*field.figure = Number(geometry, where, field.key, field.range);
  }
}

SteinmetzRange ReadRange(const json& range, const std::string& where) {
  if (!range.is_object()) Fail(where + " must be an object");
  const std::string in = where + ".";
  SteinmetzRange read{};
  read.f_min_Hz = Number(range, in, "f_min_Hz", kFitFrequencyRange);
  read.f_max_Hz = Number(range, in, "f_max_Hz", kFitFrequencyRange);
  if (read.f_max_Hz <= read.f_min_Hz) Fail(in + "f_max_Hz must be above f_min_Hz");
  for (const SteinmetzField& field : kSteinmetzFields) {
    read.set.*field.coefficient = Number(range, in, field.key, field.range);
  }
  return read;
}

// The material: the name of a built-in grade, or its own fit.
void ReadMaterial(const json& file, UserCoreData& core) {
  const json& material = Field(file, "", "material");
  if (material.is_string()) {
    const FerriteMaterial* known = MaterialNamed(material.get_ref<const std::string&>());
    if (known == nullptr) Fail("the material " + Shown(material) + " is not a known grade");
    core.material_name = known->name;
    core.material_source = known->source;
    core.ranges.assign(known->ranges.begin(), known->ranges.end());
    core.Pv_limit_W_per_m3 = known->Pv_limit_W_per_m3;
    return;
  }
  if (!material.is_object()) Fail("material must be a grade's name or an object");
  const std::string where = "material.";
  core.material_name = Text(material, where, "name");
  core.material_source = OptionalText(material, where, "source");
  core.Pv_limit_W_per_m3 = Number(material, where, "Pv_limit_W_per_m3", kLossDensityLimitRange);
  const json& ranges = Field(material, where, "ranges");
  if (!ranges.is_array() || ranges.empty()) Fail("material.ranges must be a list of ranges");
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    const SteinmetzRange range = ReadRange(ranges[i], "material.ranges[" + std::to_string(i) + "]");
    if (!core.ranges.empty() && range.f_min_Hz != core.ranges.back().f_max_Hz) {
      Fail("material.ranges[" + std::to_string(i) +
           "].f_min_Hz must equal the f_max_Hz of the range before");
    }
    core.ranges.push_back(range);
  }
}

// The library's message without its "[json.exception.parse_error.101] ".
std::string LibraryMessage(const json::exception& error) {
  const std::string_view message = error.what();
  const std::size_t end_of_prefix = message.find("] ");
  return std::string(end_of_prefix == std::string_view::npos ? message
                                                             : message.substr(end_of_prefix + 2));
}

json Parse(std::string_view text) {
  // The parser keeps its own stack, but every later walk through the value
  // (and any message about it) recurses: the nesting is bounded first.
  const json::parser_callback_t bound_nesting = [](int depth, json::parse_event_t event, json&) {
    const bool opens =
        event == json::parse_event_t::object_start || event == json::parse_event_t::array_start;
    if (opens && depth >= kCoreDataMaxNesting) {
      Fail("objects and lists nest more than " + std::to_string(kCoreDataMaxNesting) + " deep");
    }
    return true;
  };
  try {
    return json::parse(text, bound_nesting);
  } catch (const json::parse_error& error) {
    Fail("not JSON: " + LibraryMessage(error));
  } catch (const json::out_of_range& error) {
    Fail("a number lies beyond the range of a double: " + LibraryMessage(error));
  }
}

}  // namespace

UserCoreData ReadCoreData(std::string_view text, const std::string& file) {
  const json content = Parse(text);
  if (!content.is_object()) Fail("the file must hold one JSON object");
  UserCoreData core;
  core.file = file;
  ReadGeometry(content, core);
  ReadMaterial(content, core);
  if (content.contains("T_ambient_C"))
    core.T_ambient_C = Number(content, "", "T_ambient_C", kAmbientRange);
  return core;
}

UserCoreData ReadCoreDataFile(const std::string& path) {
  const RegularFileText read = ReadRegularFile(path, kCoreDataMaxBytes);
  if (!read.problem.empty()) Fail(read.problem);
  return ReadCoreData(read.text, path);
}

}  // namespace flyback
