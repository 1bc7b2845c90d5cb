#include "editor/PackageInfo.h"

#include "runtime/ui/DravikModule.h"
#include "widgets/MsgDlg.h"

namespace dravik {

std::string PackageInformation() {
  return "Dravik 3.0\nMultilingual forms inside the forms.\n\nMade by Quelt GbR.";
}

void ShowPackageInformation() {
  MsgEx(PackageInformation(), "Information", mtInformation, kPrivateDomain, 0, {mbOK});
}

}  // namespace dravik
