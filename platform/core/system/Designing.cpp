#include "platform/core/system/Designing.h"

namespace dravik {

namespace {
bool gDesigningHost = false;
}

bool IsDesigning() {
  return gDesigningHost;
}

void SetDesigningHost(bool active) {
  gDesigningHost = active;
}

}  // namespace dravik
