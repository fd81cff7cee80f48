#pragma once

#include "Verdict.h"

#include <string>
#include <string_view>

namespace welkor::fuzz {

// A number text as a report or a user gives it: both readers (the full one
// and the quick one of the plate colouring) agree on it, and what the two
// formats write reads back. Eight or more bytes are also taken as the bits
// of a double, so that every magnitude gets formatted.
std::string CheckNumberText(std::string_view bytes);

// A "%4.4n" label: four decimals with grouped thousands below 10^15, the
// general format from there on; read back it is the value it shows.
void CheckFixed4Label(const std::string& label, long double value, Verdict& verdict);

// The general format reads back to the value within its 15 digits and
// formats again to the same text.
void CheckGeneralFormat(long double value, Verdict& verdict);

} // namespace welkor::fuzz
