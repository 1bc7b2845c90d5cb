#include "platform/core/Designing.h"

namespace {
bool gDesigningHost = false;
}

bool IsDesigning() {
  return gDesigningHost;
}

void SetDesigningHost(bool active) {
  gDesigningHost = active;
}
