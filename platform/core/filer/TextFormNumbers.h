#pragma once
// Numbers in the text form of component streams: floating point values in the shortest text that
// reads back as the same value, and Currency as an exact decimal. The text is what the text-form
// parser reads: [-]digits[.digits][E[-]digits], without the float-kind suffix.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravik {

// Nothing for infinities and NaNs, which the text form cannot spell.
std::optional<std::string> FormatExtended(long double value);  // always with "." or "E"
std::optional<std::string> FormatSingle(float value);
std::optional<std::string> FormatDouble(double value);
std::string FormatCurrency(int64_t scaledValue);  // 123456 -> "12.3456"

// False when the text is no number or lies out of the type's range; tiny values may become 0.
bool ParseExtended(std::string_view text, long double& value);
bool ParseSingle(std::string_view text, float& value);
bool ParseDouble(std::string_view text, double& value);
// Exact: rounds half away from zero beyond four decimals.
bool ParseCurrency(std::string_view text, int64_t& scaledValue);

}  // namespace dravik
