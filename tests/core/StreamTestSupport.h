#pragma once
// Helpers of the stream-layer tests: the text form conversions on byte strings.

#include <string>

#include "tests/support/TestFiles.h"

namespace dravik {

std::string ToText(const std::string& binary);
std::string ToBinary(const std::string& text);

}  // namespace dravik
