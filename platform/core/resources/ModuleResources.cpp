#include "platform/core/resources/ModuleResources.h"

#include <algorithm>
#include <map>
#include <string>

namespace dravik {

namespace {

char FoldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

struct TCaseInsensitiveLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
  }
};

// Built on first use: registrations run from static constructors of other files.
std::map<std::string, std::string_view, TCaseInsensitiveLess>& Registry() {
  static std::map<std::string, std::string_view, TCaseInsensitiveLess> registry;
  return registry;
}

}  // namespace

void RegisterModuleResource(std::string_view name, std::string_view bytes) {
  Registry().insert_or_assign(std::string(name), bytes);
}

std::optional<std::string_view> FindModuleResource(std::string_view name) {
  auto& registry = Registry();
  auto it = registry.find(name);
  if (it == registry.end()) return std::nullopt;
  return it->second;
}

}  // namespace dravik
