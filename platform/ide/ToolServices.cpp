#include "platform/ide/ToolServices.h"

namespace dravik {

namespace {
TIToolServices* gServices = nullptr;
}

TIToolServices* ToolServices() {
  return gServices;
}
void SetToolServices(TIToolServices* services) {
  gServices = services;
}

}  // namespace dravik
