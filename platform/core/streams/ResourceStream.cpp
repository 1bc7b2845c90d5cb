#include "platform/core/streams/ResourceStream.h"

#include "platform/core/resources/ModuleResources.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

TResourceStream::TResourceStream(const std::string& name) {
  auto bytes = FindModuleResource(name);
  if (!bytes) throw EResNotFound("Resource " + name + " not found");
  SetPointer(bytes->data(), static_cast<int64_t>(bytes->size()));
}

int64_t TResourceStream::Write(const void*, int64_t) {
  throw EStreamError("Cannot write to a read-only resource stream");
}

}  // namespace dravik
