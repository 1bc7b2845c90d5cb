#include "platform/core/system/Exceptions.h"

namespace dravik {

void Abort() {
  throw EAbort("Operation aborted");
}

}  // namespace dravik
