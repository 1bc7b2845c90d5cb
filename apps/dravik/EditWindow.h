#pragma once
// dravik edit as dravik-edit runs it: the language editor on a form file's TDravik.

#include "apps/dravik/Command.h"

namespace dravik {

extern const TCommand EditWindowCommand;

}  // namespace dravik
