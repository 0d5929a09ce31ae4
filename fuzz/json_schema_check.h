#pragma once

// A checker for the part of JSON Schema (draft 2020-12) that the design
// file's schema uses: type, const, enum, oneOf, properties, required,
// additionalProperties, propertyNames, prefixItems, items, minItems,
// maxItems, minimum, maximum and pattern, and $ref to a schema within the
// same document ("#/properties/..."); $schema, $id, title and description
// are notes. The fuzz targets run it on every design file, where
// a Python validator would be too slow and the full standard needs a library.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace flyback {

// The keywords of `schema` the checker does not know, by their place
// ("/properties/x/if"): a schema that uses more than the subset above must
// not pass unchecked.
std::vector<std::string> UnknownSchemaKeywords(const nlohmann::json& schema);

// Where `document` breaks `schema`, one line each ("/losses/total_W: not of
// type number"); empty where it meets it.
std::vector<std::string> SchemaErrors(const nlohmann::json& document, const nlohmann::json& schema);

}  // namespace flyback
