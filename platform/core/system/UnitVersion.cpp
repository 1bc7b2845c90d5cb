#include "platform/core/system/UnitVersion.h"

namespace dravik {

namespace {
// Built on first use, so that registrations from static objects of any file find it ready.
std::vector<const char*>& Headers() {
  static std::vector<const char*> headers;
  return headers;
}
}  // namespace

void UnitVersion(const char* header) {
  Headers().push_back(header);
}

const std::vector<const char*>& RegisteredUnitVersions() {
  return Headers();
}

}  // namespace dravik
