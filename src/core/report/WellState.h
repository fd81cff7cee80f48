#pragma once

#include <string_view>

namespace welkor {

// The words a reader writes instead of a number: a blank well, a reading under
// its range and one over it (the leading blank belongs to the word).
inline constexpr std::string_view kBlankWord = " blank";
inline constexpr std::string_view kUnderWord = " under";
inline constexpr std::string_view kOverWord = " over";

// True for a well with no reading to count or to range over: an empty text or
// one of the three words, in any ASCII letter case.
bool HasNoReading(std::string_view wellText);

} // namespace welkor
