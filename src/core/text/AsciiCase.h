#pragma once

#include <string>
#include <string_view>

namespace welkor {

// Lower-cases the ASCII letters A-Z only; every other byte (Polish letters of
// code page 1250 included) stays as it is.
std::string AsciiLower(std::string_view text);

} // namespace welkor
