# Writes the core geometry and ferrite tables of data/cores/ as C++ (run with
# cmake -P at build time, so the core keeps reading plain structs and the build
# needs no JSON library and no interpreter):
#
#   cmake -DGEOMETRY=geometry.json -DMATERIALS=materials.json
#         -DOUTPUT=core_data_tables.cpp -P EmbedCoreData.cmake
#
# A missing member stops the build with CMake's own message naming it.

file(READ ${GEOMETRY} geometry)
file(READ ${MATERIALS} materials)

# The JSON text `value` as a C++ string literal.
function(cxx_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "\"${value}\"" PARENT_SCOPE)
endfunction()

# The member `key` of the object at `path` (a list of keys and indices) of
# the JSON `text`, as C++: numbers as they stand, strings as literals.
function(member out text key)
  string(JSON value GET "${text}" ${ARGN} ${key})
  string(JSON type TYPE "${text}" ${ARGN} ${key})
  if(type STREQUAL "STRING")
    cxx_string(value "${value}")
  elseif(type STREQUAL "BOOLEAN")
    string(TOLOWER "${value}" value)
    if(value STREQUAL "on")
      set(value true)
    elseif(value STREQUAL "off")
      set(value false)
    endif()
  elseif(NOT type STREQUAL "NUMBER")
    message(FATAL_ERROR "${key} in ${ARGN}: a number or a text, not ${type}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# A CoreGeometry initializer from the shape at `shapes` index `index`, marked
# `estimated`, with `note` (a C++ literal) in place of the shape's own.
function(geometry_row out index estimated note)
  set(figures "")
  foreach(key shape l_e_mm V_e_mm3 A_e_mm2 window_area_mm2 bobbin_width_mm mean_turn_length_mm
              surface_cm2)
    member(value "${geometry}" ${key} shapes ${index})
    string(APPEND figures "${value}, ")
  endforeach()
  member(source "${geometry}" source shapes ${index})
  set(${out} "{${figures}${estimated}, ${note}, ${source}}" PARENT_SCOPE)
endfunction()

# The index in `shapes` of the shape named `name`.
function(shape_index out name)
  string(JSON count LENGTH "${geometry}" shapes)
  math(EXPR last "${count} - 1")
  foreach(index RANGE ${last})
    string(JSON shape GET "${geometry}" shapes ${index} shape)
    if(shape STREQUAL name)
      set(${out} ${index} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "no shape \"${name}\" in ${GEOMETRY}")
endfunction()

# The last index of the array at `path` in the JSON `text`.
function(last_index out text)
  string(JSON count LENGTH "${text}" ${ARGN})
  math(EXPR last "${count} - 1")
  set(${out} ${last} PARENT_SCOPE)
endfunction()

set(code "// Written by cmake/EmbedCoreData.cmake from data/cores/*.json: do not edit.\n\n")
string(APPEND code "#include \"engine/losses/core_data_tables.h\"\n\nnamespace flyback {\n\n")
string(APPEND code "namespace {\n\n")

# Standard shapes.
last_index(last "${geometry}" shapes)
string(APPEND code "constexpr CoreGeometry kShapes[] = {\n")
foreach(index RANGE ${last})
  member(note "${geometry}" note shapes ${index})
  geometry_row(row ${index} false "${note}")
  string(APPEND code "    ${row},\n")
endforeach()
string(APPEND code "};\n\n")

# Layer-type cores.
last_index(last "${geometry}" layer_cores)
string(APPEND code "constexpr LayerCoreData kLayerCores[] = {\n")
foreach(index RANGE ${last})
  member(core "${geometry}" core layer_cores ${index})
  member(material "${geometry}" material layer_cores ${index})
  member(note "${geometry}" note layer_cores ${index})
  string(JSON shape GET "${geometry}" layer_cores ${index} shape)
  shape_index(shape_at "${shape}")
  if(note STREQUAL "\"\"")
    member(note "${geometry}" note shapes ${shape_at})
  endif()
  geometry_row(row ${shape_at} false "${note}")
  string(APPEND code "    {${core}, ${row}, ${material}},\n")
endforeach()
string(APPEND code "};\n\n")

# Slot-type transformers: the borrowed shape's figures.
last_index(last "${geometry}" slot_transformers)
string(APPEND code "constexpr SlotTransformerData kSlotTransformers[] = {\n")
foreach(index RANGE ${last})
  member(choice "${geometry}" choice slot_transformers ${index})
  member(A_e "${geometry}" A_e_mm2 slot_transformers ${index})
  member(estimated "${geometry}" estimated slot_transformers ${index})
  member(material "${geometry}" material slot_transformers ${index})
  member(note "${geometry}" note slot_transformers ${index})
  string(JSON shape GET "${geometry}" slot_transformers ${index} shape)
  shape_index(shape_at "${shape}")
  geometry_row(row ${shape_at} ${estimated} "${note}")
  string(APPEND code "    {${choice}, ${A_e}, ${row}, ${material}},\n")
endforeach()
string(APPEND code "};\n\n")

# Materials: the ranges of all, then each material's span of them.
last_index(last "${materials}" materials)
set(ranges "")
set(rows "")
set(first 0)
foreach(index RANGE ${last})
  last_index(last_range "${materials}" materials ${index} ranges)
  foreach(range RANGE ${last_range})
    set(edges "")
    foreach(key f_min_Hz f_max_Hz)
      member(value "${materials}" ${key} materials ${index} ranges ${range})
      list(APPEND edges ${value})
    endforeach()
    set(figures "")
    foreach(key k alpha beta ct0 ct1 ct2)
      member(value "${materials}" ${key} materials ${index} ranges ${range})
      list(APPEND figures ${value})
    endforeach()
    list(JOIN edges ", " edges)
    list(JOIN figures ", " figures)
    string(APPEND ranges "    {${edges}, {${figures}}},\n")
  endforeach()
  math(EXPR count "${last_range} + 1")
  member(name "${materials}" name materials ${index})
  member(limit "${materials}" Pv_limit_W_per_m3 materials ${index})
  member(source "${materials}" source materials ${index})
  string(APPEND rows
         "    {${name}, std::span<const SteinmetzRange>(kRanges + ${first}, ${count}), ${limit}, ${source}},\n")
  math(EXPR first "${first} + ${count}")
endforeach()
string(APPEND code "constexpr SteinmetzRange kRanges[] = {\n${ranges}};\n\n")
string(APPEND code "constexpr FerriteMaterial kMaterials[] = {\n${rows}};\n\n")

# Datasheet points.
last_index(last "${materials}" datasheet_points points)
string(APPEND code "constexpr DatasheetPoint kDatasheetPoints[] = {\n")
foreach(index RANGE ${last})
  member(material "${materials}" material datasheet_points points ${index})
  string(JSON kind GET "${materials}" datasheet_points points ${index} kind)
  if(kind STREQUAL "maximum")
    set(figures "${material}, DatasheetPointKind::kGuaranteedMaximum")
  elseif(kind STREQUAL "typical")
    set(figures "${material}, DatasheetPointKind::kTypical")
  else()
    message(FATAL_ERROR "kind of datasheet point ${index}: maximum or typical, not ${kind}")
  endif()
  foreach(key f_Hz B_peak_T T_degC Pv_W_per_m3 source)
    member(value "${materials}" ${key} datasheet_points points ${index})
    list(APPEND figures ${value})
  endforeach()
  list(JOIN figures ", " figures)
  string(APPEND code "    {${figures}},\n")
endforeach()
string(APPEND code "};\n\n")
string(APPEND code "}  // namespace\n\n")

member(min_factor "${geometry}" min_factor estimate_rule)
member(max_factor "${geometry}" max_factor estimate_rule)
member(default_material "${geometry}" default_material)
string(APPEND code
       "const CoreDataTables& EmbeddedCoreData() {\n"
       "  static constexpr CoreDataTables kTables = {\n"
       "      kShapes, kLayerCores, kSlotTransformers, kMaterials, kDatasheetPoints,\n"
       "      {${min_factor}, ${max_factor}}, ${default_material}};\n"
       "  return kTables;\n"
       "}\n\n}  // namespace flyback\n")

# Rewritten only when it changes, so that a touched JSON file with the same
# figures recompiles nothing.
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "${code}" @ONLY)
