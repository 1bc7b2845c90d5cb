#pragma once
// The Register of each of the package's units; the package's entry calls them in this order.

namespace dravik {

void RegisterDravikUnit();

}  // namespace dravik
