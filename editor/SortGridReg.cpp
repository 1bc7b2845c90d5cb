// The sortable grids on the palette.
#include "editor/PackageUnits.h"
#include "platform/ide/Registration.h"
#include "widgets/SortGrid.h"
#include "widgets/SortGridEx.h"

namespace dravik {

void RegisterSortGridUnit() {
  RegisterComponents("Quelt", {&TSortGrid::StaticClass(), &TSortGridEx::StaticClass()});
}

}  // namespace dravik
