#pragma once
// The layout check itself, for the program that links the visual controls.

#include "apps/dravik/Command.h"

namespace dravik {

extern const TCommand FitCheckCommand;

}  // namespace dravik
