#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers as the laboratory writes them: a decimal comma and a non-breaking
// space between thousands, whatever the machine's own locale says.
namespace welkor {

inline constexpr char kDecimalSeparator = ',';
inline constexpr char kThousandSeparator = '\xA0'; // no-break space in code page 1250

// Reads a decimal number with a comma as separator; blanks around it are
// allowed, an exponent ("1,5E-3") too. Anything else throws ConversionError
// carrying the text unchanged.
long double StrToFloat(std::string_view text);

// The text without the blanks around it, which every number reader skips.
std::string_view WithoutBlanks(std::string_view text);

// Like StrToFloat, but reports failure instead of throwing.
bool TryStrToFloat(std::string_view text, long double& out);

// " 0,074" and its like: blanks around, 1 to 15 digits with at most one
// decimal comma, no sign. Always a number TryStrToFloat reads, and well
// inside a double's range: a cheap test that spares a batch the full reader
// for the common reading.
bool IsPlainDecimal(std::string_view text);

// Nearest integer, an exact half going to the even neighbour.
std::int64_t RoundHalfEven(long double value);

// General format: up to 15 significant digits, no trailing zeros, decimal
// comma; scientific ("1,5E-6") below 0,00001 or above 15 integer digits.
std::string FormatGeneral(long double value);

// "%4.4n": four decimals, grouped thousands, at least 4 characters wide.
// A value that shows as zero never carries a minus sign. From 10^15 on (more
// integer digits than a value holds) the general format is used: "1E122".
std::string FormatFixed4(long double value);

} // namespace welkor
