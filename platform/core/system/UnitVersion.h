#pragma once
// The version headers of the units: each unit registers its source-control header at start-up
// ("$Header: /dravik/PATH REVISION DATE TIME AUTHOR $", made from git at build time), so that
// support can ask which revision of which unit a program runs.

#include <vector>

namespace dravik {

// Appends one header; the text is not copied (it lives as long as the program).
void UnitVersion(const char* header);
// Every header registered, in registration order.
const std::vector<const char*>& RegisteredUnitVersions();

// Registers its header when it is made: a unit declares one as a static object.
struct TUnitVersion {
  explicit TUnitVersion(const char* header) { UnitVersion(header); }
};

}  // namespace dravik
