#pragma once

#include <string>
#include <string_view>

namespace welkor::fuzz {

// Bytes received from the plate reader: refused with "Nieprawidłowa
// transmisja." unless they are a whole frame holding a usable report; a
// converted report is one a file could hold, framed again it converts to the
// same lines, and it goes down the report road (range, plate, save, reopen,
// save again) like an opened file.
std::string CheckReaderTransmission(std::string_view bytes);

} // namespace welkor::fuzz
