#include "core_data_file.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace flyback {

namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& problem) {
  throw CoreDataFileError(problem);
}

const json& Field(const json& object, const std::string& where, const char* key) {
  const auto found = object.find(key);
  if (found == object.end()) Fail("the field " + where + key + " is missing");
  return *found;
}

const json& Object(const json& object, const std::string& where, const char* key) {
  const json& value = Field(object, where, key);
  if (!value.is_object()) Fail(where + key + " must be an object");
  return value;
}

// A finite number; `positive` asks for one above 0.
double Number(const json& object, const std::string& where, const char* key, bool positive) {
  const json& value = Field(object, where, key);
  if (!value.is_number()) Fail(where + key + " must be a number, not " + value.dump());
  const double number = value.get<double>();
  if (!std::isfinite(number)) Fail(where + key + " must be a finite number");
  if (positive && number <= 0) Fail(where + key + " must be above 0, not " + value.dump());
  return number;
}

std::string Text(const json& object, const std::string& where, const char* key) {
  const json& value = Field(object, where, key);
  if (!value.is_string()) Fail(where + key + " must be a text, not " + value.dump());
  return value.get<std::string>();
}

std::string OptionalText(const json& object, const std::string& where, const char* key) {
  return object.contains(key) ? Text(object, where, key) : std::string();
}

void ReadGeometry(const json& file, UserCoreData& core) {
  const json& geometry = Object(file, "", "geometry");
  const std::string where = "geometry.";
  core.shape = Text(geometry, where, "shape");
  CoreGeometry& figures = core.figures;
  figures.l_e_mm = Number(geometry, where, "l_e_mm", true);
  figures.V_e_mm3 = Number(geometry, where, "V_e_mm3", true);
  figures.A_e_mm2 = Number(geometry, where, "A_e_mm2", true);
  figures.window_area_mm2 = Number(geometry, where, "window_area_mm2", true);
  figures.bobbin_width_mm = Number(geometry, where, "bobbin_width_mm", true);
  figures.mean_turn_length_mm = Number(geometry, where, "mean_turn_length_mm", true);
  figures.surface_cm2 = Number(geometry, where, "surface_cm2", true);
}

SteinmetzRange ReadRange(const json& range, const std::string& where) {
  if (!range.is_object()) Fail(where + " must be an object");
  const std::string in = where + ".";
  SteinmetzRange read{};
  read.f_min_Hz = Number(range, in, "f_min_Hz", false);
  read.f_max_Hz = Number(range, in, "f_max_Hz", true);
  read.set.k = Number(range, in, "k", true);
  read.set.alpha = Number(range, in, "alpha", true);
  read.set.beta = Number(range, in, "beta", true);
  read.set.ct0 = Number(range, in, "ct0", false);
  read.set.ct1 = Number(range, in, "ct1", false);
  read.set.ct2 = Number(range, in, "ct2", false);
  if (read.f_min_Hz < 0) Fail(in + "f_min_Hz must not be below 0");
  if (read.f_max_Hz <= read.f_min_Hz) Fail(in + "f_max_Hz must be above f_min_Hz");
  return read;
}

// The material: the name of a built-in grade, or its own fit.
void ReadMaterial(const json& file, UserCoreData& core) {
  const json& material = Field(file, "", "material");
  if (material.is_string()) {
    const FerriteMaterial* known = MaterialNamed(material.get<std::string>());
    if (known == nullptr) Fail("the material " + material.dump() + " is not a known grade");
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
  core.Pv_limit_W_per_m3 = Number(material, where, "Pv_limit_W_per_m3", true);
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

json Parse(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) Fail("it is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad() || (!in.eof() && in.fail())) Fail(std::strerror(errno));
  try {
    return json::parse(text.str());
  } catch (const json::parse_error& error) {
    Fail(std::string("not JSON: ") + error.what());
  }
}

}  // namespace

UserCoreData ReadCoreDataFile(const std::string& path) {
  const json file = Parse(path);
  if (!file.is_object()) Fail("the file must hold one JSON object");
  UserCoreData core;
  core.file = path;
  ReadGeometry(file, core);
  ReadMaterial(file, core);
  return core;
}

}  // namespace flyback
