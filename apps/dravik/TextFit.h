#pragma once
// Which texts of a form do not fit their controls: each text measured with its control's font
// against the room the control gives it.

#include <cstdint>
#include <string>
#include <vector>

namespace dravik {

class TCustomForm;

struct TMisfit {
  std::string Component;
  std::string Property;
  int32_t Needed = 0;
  int32_t Available = 0;
};

// The texts of form's controls, as they are now, that need more room than they have.
std::vector<TMisfit> FindMisfits(TCustomForm& form);

}  // namespace dravik
