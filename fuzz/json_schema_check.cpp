#include "json_schema_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <regex>
#include <string_view>

namespace flyback {

namespace {

using Json = nlohmann::json;

constexpr std::array<std::string_view, 4> kNotes = {"$schema", "$id", "title", "description"};
constexpr std::array<std::string_view, 15> kKeywords = {"type",
                                                        "const",
                                                        "enum",
                                                        "oneOf",
                                                        "properties",
                                                        "required",
                                                        "additionalProperties",
                                                        "propertyNames",
                                                        "prefixItems",
                                                        "items",
                                                        "minItems",
                                                        "maxItems",
                                                        "minimum",
                                                        "maximum",
                                                        "pattern"};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A pattern matches anywhere in the text, as JSON Schema has it; each is
// compiled once.
bool Matches(const std::string& text, const std::string& pattern) {
  static std::map<std::string, std::regex> compiled;
  auto found = compiled.find(pattern);
  if (found == compiled.end()) found = compiled.emplace(pattern, std::regex(pattern)).first;
  return std::regex_search(text, found->second);
}

// The place of `name` within the place `at`: "/losses" and "total_W" give
// "/losses/total_W".
std::string Child(const std::string& at, std::string_view name) {
  std::string place = at;
  place += '/';
  place += name;
  return place;
}

// The schema a local reference ("#/properties/loop/properties/simulated")
// names within `root`; null where it names none or is not local.
const Json* Referred(const Json& root, const Json& ref) {
  if (!ref.is_string()) return nullptr;
  const std::string& text = ref.get_ref<const std::string&>();
  if (!text.starts_with("#/")) return nullptr;
  const Json::json_pointer pointer(text.substr(1));
  return root.contains(pointer) ? &root[pointer] : nullptr;
}

bool HasType(const Json& value, const std::string& type) {
  if (type == "null") return value.is_null();
  if (type == "boolean") return value.is_boolean();
  if (type == "string") return value.is_string();
  if (type == "object") return value.is_object();
  if (type == "array") return value.is_array();
  if (type == "number") return value.is_number();
  if (type == "integer") {
    return value.is_number_integer() ||
           (value.is_number_float() && std::trunc(value.get<double>()) == value.get<double>());
  }
  return false;
}

class Checker {
 public:
  explicit Checker(const Json& root) : root_(root) {}

  std::vector<std::string> errors;

  void Check(const Json& value, const Json& schema, const std::string& at) {
    // UnknownSchemaKeywords has made sure that every reference resolves.
    if (schema.contains("$ref")) Check(value, *Referred(root_, schema["$ref"]), at);
    if (schema.contains("type")) CheckType(value, schema["type"], at);
    if (schema.contains("const") && value != schema["const"]) Fail(at, "not the constant");
    if (schema.contains("enum")) {
      const Json& options = schema["enum"];
      if (std::find(options.begin(), options.end(), value) == options.end()) {
        Fail(at, "not one of the enumerated values");
      }
    }
    if (schema.contains("oneOf")) CheckOneOf(value, schema["oneOf"], at);
    if (value.is_object()) CheckObject(value, schema, at);
    if (value.is_array()) CheckArray(value, schema, at);
    if (value.is_number()) CheckNumber(value.get<double>(), schema, at);
    if (value.is_string() && schema.contains("pattern") &&
        !Matches(value.get<std::string>(), schema["pattern"].get<std::string>())) {
      Fail(at, "does not match " + schema["pattern"].get<std::string>());
    }
  }

 private:
  void Fail(const std::string& at, const std::string& why) {
    errors.push_back((at.empty() ? "/" : at) + ": " + why);
  }

  void CheckType(const Json& value, const Json& type, const std::string& at) {
    if (type.is_string()) {
      if (!HasType(value, type.get<std::string>())) Fail(at, "not of type " + type.dump());
      return;
    }
    if (std::none_of(type.begin(), type.end(),
                     [&value](const Json& t) { return HasType(value, t.get<std::string>()); })) {
      Fail(at, "not of type " + type.dump());
    }
  }

  void CheckOneOf(const Json& value, const Json& options, const std::string& at) {
    int met = 0;
    for (const Json& option : options) {
      Checker alone(root_);
      alone.Check(value, option, at);
      if (alone.errors.empty()) ++met;
    }
    if (met != 1) Fail(at, "meets " + std::to_string(met) + " of the oneOf schemas, not 1");
  }

  void CheckObject(const Json& value, const Json& schema, const std::string& at) {
    const Json no_properties = Json::object();
    const Json& properties = schema.contains("properties") ? schema["properties"] : no_properties;
    if (schema.contains("required")) {
      for (const Json& name : schema["required"]) {
        if (!value.contains(name.get<std::string>())) Fail(at, "lacks " + name.get<std::string>());
      }
    }
    for (const auto& [name, item] : value.items()) {
      const std::string place = Child(at, name);
      if (schema.contains("propertyNames")) Check(Json(name), schema["propertyNames"], place);
      if (properties.contains(name)) {
        Check(item, properties[name], place);
      } else if (schema.contains("additionalProperties")) {
        const Json& additional = schema["additionalProperties"];
        if (additional.is_boolean()) {
          if (!additional.get<bool>()) Fail(place, "not allowed");
        } else {
          Check(item, additional, place);
        }
      }
    }
  }

  void CheckArray(const Json& value, const Json& schema, const std::string& at) {
    const std::size_t count = value.size();
    if (schema.contains("minItems") && count < schema["minItems"].get<std::size_t>()) {
      Fail(at, "has fewer items than " + schema["minItems"].dump());
    }
    if (schema.contains("maxItems") && count > schema["maxItems"].get<std::size_t>()) {
      Fail(at, "has more items than " + schema["maxItems"].dump());
    }
    std::size_t first = 0;
    if (schema.contains("prefixItems")) {
      const Json& prefix = schema["prefixItems"];
      for (; first < std::min(count, prefix.size()); ++first) {
        Check(value[first], prefix[first], Child(at, std::to_string(first)));
      }
    }
    if (!schema.contains("items")) return;
    for (std::size_t i = first; i < count; ++i) {
      Check(value[i], schema["items"], Child(at, std::to_string(i)));
    }
  }

  void CheckNumber(double x, const Json& schema, const std::string& at) {
    if (schema.contains("minimum") && x < schema["minimum"].get<double>()) {
      Fail(at, "below the minimum " + schema["minimum"].dump());
    }
    if (schema.contains("maximum") && x > schema["maximum"].get<double>()) {
      Fail(at, "above the maximum " + schema["maximum"].dump());
    }
  }

  const Json& root_;
};

// A reference is known where it names a schema within `root`; the schema it
// names is checked where it stands.
void CollectUnknown(const Json& root, const Json& schema, const std::string& at,
                    std::vector<std::string>& unknown) {
  if (!schema.is_object()) return;
  for (const auto& [keyword, value] : schema.items()) {
    const std::string place = Child(at, keyword);
    if (Holds(kNotes, keyword)) continue;
    if (keyword == "$ref") {
      if (Referred(root, value) == nullptr) unknown.push_back(place);
    } else if (!Holds(kKeywords, keyword)) {
      unknown.push_back(place);
    } else if (keyword == "properties") {
      for (const auto& [name, property] : value.items()) {
        CollectUnknown(root, property, Child(place, name), unknown);
      }
    } else if (keyword == "oneOf" || keyword == "prefixItems") {
      for (std::size_t i = 0; i < value.size(); ++i) {
        CollectUnknown(root, value[i], Child(place, std::to_string(i)), unknown);
      }
    } else if (keyword == "items" || keyword == "additionalProperties" ||
               keyword == "propertyNames") {
      CollectUnknown(root, value, place, unknown);
    }
  }
}

}  // namespace

std::vector<std::string> UnknownSchemaKeywords(const nlohmann::json& schema) {
  std::vector<std::string> unknown;
  CollectUnknown(schema, schema, "", unknown);
  return unknown;
}

std::vector<std::string> SchemaErrors(const nlohmann::json& document,
                                      const nlohmann::json& schema) {
  Checker checker(schema);
  checker.Check(document, schema, "");
  return checker.errors;
}

}  // namespace flyback
