#pragma once
// Components inside resources: a component stream behind a resource header (form resources,
// `.res` and `.lng` files), and component streams among the module resources of the program.

#include <string>

namespace dravik {

class TComponent;
class TStream;

// The resource header (16-bit layout, RCDATA, the name) followed by the component's stream.
void WriteComponentRes(TStream& stream, const std::string& resName, TComponent* instance);
// Reads the component stream behind the resource header at the stream's position (either layout).
TComponent* ReadComponentRes(TStream& stream, TComponent* instance);

// A resource file holding the component under its class name in upper case, written atomically
// (AtomicFile.h): a failure leaves the old file intact.
void WriteComponentResFile(const std::string& fileName, TComponent* instance);
// The first RCDATA resource of the file. With no instance, one of the stream's class is created.
TComponent* ReadComponentResFile(const std::string& fileName, TComponent* instance);

// A module resource holding a plain component stream, or a resource file whose first RCDATA
// resource is one. EResNotFound when there is no such module resource.
TComponent* ReadComponentResource(const std::string& resName, TComponent* instance);

}  // namespace dravik
