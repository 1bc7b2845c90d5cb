#pragma once
// TResourceStream: reads a module resource of the running process (see ModuleResources.h).

#include <string>

#include "platform/core/streams/MemoryStream.h"

namespace dravik {

class TResourceStream : public TCustomMemoryStream {
 public:
  // EResNotFound "Resource %s not found" when no module resource has that name.
  explicit TResourceStream(const std::string& name);

  // Resources are read-only: raises EStreamError.
  int64_t Write(const void* buffer, int64_t count) override;
};

}  // namespace dravik
