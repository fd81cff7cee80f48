#pragma once

#include <string>
#include <string_view>

namespace welkor::fuzz {

// Template bytes (.sza): laid over the colours and written again they give
// the bytes back; cells the file does not reach keep their colours.
std::string CheckTemplateFile(std::string_view bytes);

// Operator.ini bytes: the name read from them is one line of text, and a
// written file reads back as the name it was written with. The same bytes
// also go through the code page 1250 round trips (bytes to Unicode and
// back; Unicode, taken two bytes a character, to the code page and back).
std::string CheckOperatorIni(std::string_view bytes);

} // namespace welkor::fuzz
