#pragma once

#include <optional>
#include <string>

namespace welkor {

// The operator's name from the bytes of Operator.ini, or from its absence.
// The file holds "Operator:" on its first line and the name on the second.
// No file: "Marvant". A first line other than "Operator:", or no second line:
// an empty name (the window still starts normally).
std::string OperatorNameFrom(const std::optional<std::string>& iniBytes);

} // namespace welkor
