#pragma once

#include <string>
#include <string_view>

namespace welkor {

// Lower-cases the ASCII letters A-Z only; every other byte (Polish letters of
// code page 1250 included) stays as it is.
std::string AsciiLower(std::string_view text);

// The same, in place (no new string for each of many short texts).
void AsciiLowerInPlace(std::string& text);

// Equal after lower-casing the ASCII letters of both.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace welkor
