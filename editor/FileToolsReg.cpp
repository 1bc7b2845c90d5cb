// The file tools on the palette.
#include "editor/PackageUnits.h"
#include "library/LogFile.h"
#include "platform/ide/Registration.h"

namespace dravik {

void RegisterFileToolsUnit() {
  RegisterComponents("QueltTools", {&TLogFile::StaticClass(), &TKeepDirectory::StaticClass()});
}

}  // namespace dravik
