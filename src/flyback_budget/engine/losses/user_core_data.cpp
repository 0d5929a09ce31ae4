#include "engine/losses/user_core_data.h"

namespace flyback {

CoreGeometry UserCoreData::Geometry() const {
  CoreGeometry geometry = figures;
  geometry.shape = shape;
  geometry.estimated = false;
  geometry.source = file;
  return geometry;
}

FerriteMaterial UserCoreData::Material() const {
  return {material_name, ranges, Pv_limit_W_per_m3, material_source};
}

}  // namespace flyback
