#pragma once
// The module resources of the process: files embedded into the program or a library at build time
// (CMake function dravik_embed_resources) and registered by name at start-up. Names compare
// ignoring ASCII case, as resource names do.

#include <optional>
#include <string_view>

namespace dravik {

// bytes must outlive the process's use of the resource (embedded data is static). A later
// registration under the same name replaces the earlier one.
void RegisterModuleResource(std::string_view name, std::string_view bytes);

// The bytes registered under name, or nothing.
std::optional<std::string_view> FindModuleResource(std::string_view name);

}  // namespace dravik
