#pragma once

#include <optional>
#include <string>

namespace welkor {

// The operator's name from the bytes of Operator.ini, or from its absence.
// The file holds "Operator:" on its first line and the name on the second.
// No file: "Marvant". A first line other than "Operator:", or no second line:
// an empty name (the window still starts normally). Characters of the name
// that OperatorNameAccepts refuses (control characters) become blanks.
std::string OperatorNameFrom(const std::optional<std::string>& iniBytes);

// The bytes of Operator.ini for a name (code page 1250): "Operator:" and the
// name, each followed by CR LF.
std::string OperatorIniBytes(const std::string& name);

// Whether the operator dialog lets a character into the name: only what code
// page 1250 can hold, and no control character (a line break would split the
// file, and the five unassigned bytes of the code page decode to controls).
bool OperatorNameAccepts(char32_t codePoint);

} // namespace welkor
