#include "engine/reports/component_list.h"

#include "engine/reports/component_list_sections.h"

namespace flyback {

ComponentList MakeComponentList(const DesignState& s) {
  ComponentListWriter writer;
  ComponentList list;
  WriteComponentList1(s, writer);
  list.list1 = writer.TakeLines();
  WriteComponentList2(s, writer);
  list.list2 = writer.TakeLines();
  list.rows = writer.TakeRows();
  return list;
}

}  // namespace flyback
